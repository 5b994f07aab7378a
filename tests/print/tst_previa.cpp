// The preview paints the same drawing list as the PDF, one page per sheet, on Letter portrait.

#include "print_fixture.h"

#include "print/declaration_print.h"
#include "print/window/previa.h"

#include <QPrintPreviewWidget>
#include <QPrinter>

using namespace zef;
using namespace zef::print;
using namespace zef::testing;
using namespace Qt::StringLiterals;

class TestPrevia : public QObject
{
    Q_OBJECT

private slots:
    void showsEverySheet();
};

void TestPrevia::showsEverySheet()
{
    PrintFixture f;
    f.addPrintable({{u"StatusDRF"_s, u"S"_s}});
    f.addDomicilio(QString::fromUtf16(kIE), u"A"_s);
    f.compra(u"01 - COMPRAS"_s, u"A"_s, 10);
    Document document = imprimeDeclaracao(f.db(), {QString::fromUtf16(kYear), QString::fromUtf16(kIE)});
    QCOMPARE(document.sheets.size(), std::size_t(3));   // cover, item 03, blank item 04

    Previa previa(document);
    previa.resize(900, 1000);
    previa.show();
    QVERIFY(QTest::qWaitForWindowExposed(&previa));
    auto *pages = previa.findChild<QPrintPreviewWidget *>();
    QVERIFY(pages);
    pages->updatePreview();
    QCOMPARE(pages->pageCount(), 3);
    QCOMPARE(previa.printer()->pageLayout().pageSize().id(), QPageSize::Letter);
    QCOMPARE(previa.printer()->pageLayout().orientation(), QPageLayout::Portrait);
    QCOMPARE(previa.windowTitle(), u"ZEF"_s);
    if (qEnvironmentVariableIsSet("ZEF_UPDATE_GOLDEN"))
        QVERIFY(previa.grab().save(QStringLiteral(ZEF_PRINT_SCREENSHOTS) + u"/previa.png"_s));
}

QTEST_MAIN(TestPrevia)

#include "tst_previa.moc"
