#include "app/idioma.h"

#include <QCoreApplication>
#include <QDir>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace zef {

using namespace Qt::StringLiterals;

void adotaPortuguesDoBrasil(QCoreApplication &app)
{
    const QLocale brasil(QLocale::Portuguese, QLocale::Brazil);
    // Every reading and writing of a number that names no locale takes this one.
    QLocale::setDefault(brasil);

    // Qt's translations where the system keeps them, or beside the program where it is installed
    // with its own copy.
    auto *traducao = new QTranslator(&app);
    const QStringList pastas{QLibraryInfo::path(QLibraryInfo::TranslationsPath),
                             QDir(QCoreApplication::applicationDirPath()).filePath(u"translations"_s)};
    for (const QString &pasta : pastas) {
        if (traducao->load(brasil, u"qtbase"_s, u"_"_s, pasta)) {
            QCoreApplication::installTranslator(traducao);
            return;
        }
    }
    delete traducao;
}

} // namespace zef
