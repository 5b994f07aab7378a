#pragma once

#include <QByteArray>
#include <QString>

namespace zef {

// Writes the bytes to a temporary file beside the target and renames it over the target once
// every byte is on disk, so that the target is either the old file (or none) or the complete new
// one. Throws ExportError naming the file and the reason; no temporary file is left behind.
void gravaArquivoAtomico(const QString &path, const QByteArray &bytes);

} // namespace zef
