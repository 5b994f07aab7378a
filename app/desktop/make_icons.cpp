// Writes the program's icon, drawn by the same code as its logo, as one PNG per size:
// make_icons FOLDER SIZE... gives FOLDER/SIZExSIZE/apps/zef2026.png, the layout of an icon theme.
#include "app/logo.h"

#include <QDir>
#include <QGuiApplication>
#include <QTextStream>

using namespace Qt::StringLiterals;

int main(int argc, char *argv[])
{
    QGuiApplication app(argc, argv);
    QTextStream err(stderr);
    const QStringList args = QCoreApplication::arguments().mid(1);
    if (args.size() < 2) {
        err << "Uso: make_icons PASTA TAMANHO...\n";
        return 2;
    }
    const QDir pasta(args.first());
    for (const QString &texto : args.mid(1)) {
        bool ok = false;
        const int lado = texto.toInt(&ok);
        if (!ok || lado < 16 || lado > 1024) {
            err << "Tamanho inválido: " << texto << "\n";
            return 2;
        }
        const QString destino = u"%1x%1/apps"_s.arg(lado);
        if (!pasta.mkpath(destino) || !zef::logoZef(lado).save(pasta.filePath(destino + u"/zef2026.png"_s))) {
            err << "Não foi possível gravar o ícone de " << texto << " pontos em " << pasta.path() << "\n";
            return 1;
        }
    }
    return 0;
}
