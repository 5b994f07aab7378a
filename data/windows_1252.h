#pragma once

#include <QByteArray>
#include <QString>

namespace zef {

// The code page of every text the program exchanges with other programs: the declaration file it
// writes and the text files it imports are one byte per character in Windows-1252.
//
// Characters the code page cannot hold become '?', as the system's own conversion does; the five
// byte values the code page leaves undefined (0x81, 0x8D, 0x8F, 0x90, 0x9D) pass through as the C1
// control characters of the same number, so every byte survives a round trip.
QByteArray toWindows1252(QStringView text);

QString fromWindows1252(QByteArrayView bytes);

// True when every character of the text has a byte of its own in the code page.
bool representableInWindows1252(QStringView text);

} // namespace zef
