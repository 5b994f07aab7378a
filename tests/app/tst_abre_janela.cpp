#include "app/abre_janela.h"

#include <QApplication>
#include <QCursor>
#include <QLineEdit>
#include <QTest>
#include <QVBoxLayout>

#include <memory>
#include <stdexcept>

using namespace zef;
using namespace Qt::StringLiterals;

namespace {

// A window that counts its creations, keeps what it was built with and sees the cursor it was built under.
class JanelaTeste : public QDialog
{
public:
    static inline int criadas = 0;
    static inline bool falha = false;

    explicit JanelaTeste(QString texto = {}) : rotulo(std::move(texto))
    {
        cursorAoCriar = QApplication::overrideCursor() ? QApplication::overrideCursor()->shape() : Qt::ArrowCursor;
        if (falha)
            throw std::runtime_error("janela não criada");
        ++criadas;
    }

    QString rotulo;
    Qt::CursorShape cursorAoCriar;
};

} // namespace

class TstAbreJanela : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void criaJanelaCreatesOnlyIntoAnEmptyReference();
    void creationShowsTheHourglass();
    void failedCreationRestoresTheCursor();
    void abreJanelaShowsModallyAndReturnsTheResult();
    void aClearedReferenceGetsANewWindow();
    void nestedModalWindowsReachTheHook();
    void focaCampo_data();
    void focaCampo();
};

void TstAbreJanela::init()
{
    JanelaTeste::criadas = 0;
    JanelaTeste::falha = false;
}

void TstAbreJanela::cleanup()
{
    defineGanchoJanelaModal({});
    while (QApplication::overrideCursor())
        QApplication::restoreOverrideCursor();
}

void TstAbreJanela::criaJanelaCreatesOnlyIntoAnEmptyReference()
{
    std::unique_ptr<JanelaTeste> fTeste;
    JanelaTeste &primeira = CriaJanela(fTeste, u"primeira"_s);
    JanelaTeste &segunda = CriaJanela(fTeste, u"segunda"_s);

    QCOMPARE(&primeira, fTeste.get());
    QCOMPARE(&segunda, fTeste.get());
    QCOMPARE(JanelaTeste::criadas, 1);
    QCOMPARE(fTeste->rotulo, u"primeira"_s);
    QCOMPARE(fTeste->parentWidget(), nullptr);
}

void TstAbreJanela::creationShowsTheHourglass()
{
    std::unique_ptr<JanelaTeste> fTeste;
    CriaJanela(fTeste);
    QCOMPARE(fTeste->cursorAoCriar, Qt::WaitCursor);
    QCOMPARE(QApplication::overrideCursor(), nullptr);
}

void TstAbreJanela::failedCreationRestoresTheCursor()
{
    std::unique_ptr<JanelaTeste> fTeste;
    JanelaTeste::falha = true;
    QVERIFY_THROWS_EXCEPTION(std::runtime_error, CriaJanela(fTeste));
    QVERIFY(!fTeste);
    QCOMPARE(QApplication::overrideCursor(), nullptr);
}

void TstAbreJanela::abreJanelaShowsModallyAndReturnsTheResult()
{
    std::unique_ptr<JanelaTeste> fTeste;
    int vistas = 0;
    bool modal = false;
    defineGanchoJanelaModal([&](QDialog &janela) {
        ++vistas;
        modal = QApplication::activeModalWidget() == &janela && janela.isVisible();
        janela.done(7);
    });

    QCOMPARE(AbreJanela(fTeste, u"x"_s), 7);
    QCOMPARE(vistas, 1);
    QVERIFY(modal);
    // The reference keeps its window, with its contents, for the next opening.
    QVERIFY(fTeste);
    QVERIFY(!fTeste->isVisible());
    fTeste->rotulo = u"mantido"_s;
    QCOMPARE(AbreJanela(fTeste, u"outro"_s), 7);
    QCOMPARE(fTeste->rotulo, u"mantido"_s);
    QCOMPARE(JanelaTeste::criadas, 1);
    QCOMPARE(vistas, 2);
}

void TstAbreJanela::aClearedReferenceGetsANewWindow()
{
    std::unique_ptr<JanelaTeste> fTeste;
    defineGanchoJanelaModal([](QDialog &janela) { janela.reject(); });
    QCOMPARE(AbreJanela(fTeste, u"um"_s), int(QDialog::Rejected));
    fTeste.reset();
    QCOMPARE(AbreJanela(fTeste, u"dois"_s), int(QDialog::Rejected));
    QCOMPARE(JanelaTeste::criadas, 2);
    QCOMPARE(fTeste->rotulo, u"dois"_s);
}

void TstAbreJanela::nestedModalWindowsReachTheHook()
{
    // The outer window opens the inner one from inside its own modal loop.
    std::unique_ptr<JanelaTeste> fExterna;
    std::unique_ptr<JanelaTeste> fInterna;
    QStringList ordem;
    defineGanchoJanelaModal([&](QDialog &janela) {
        auto &teste = static_cast<JanelaTeste &>(janela);
        ordem.append(teste.rotulo);
        if (teste.rotulo == u"externa"_s) {
            QCOMPARE(AbreJanela(fInterna, u"interna"_s), int(QDialog::Accepted));
            ordem.append(u"interna fechada"_s);
            janela.reject();
        } else {
            janela.accept();
        }
    });
    QCOMPARE(AbreJanela(fExterna, u"externa"_s), int(QDialog::Rejected));
    QCOMPARE(ordem, (QStringList{u"externa"_s, u"interna"_s, u"interna fechada"_s}));
}

void TstAbreJanela::focaCampo_data()
{
    QTest::addColumn<bool>("enabled");
    QTest::addColumn<bool>("visible");
    QTest::addColumn<bool>("parentShown");
    QTest::addColumn<bool>("focused");

    QTest::newRow("enabled and visible") << true << true << true << true;
    QTest::newRow("disabled") << false << true << true << false;
    QTest::newRow("hidden") << true << false << true << false;
    QTest::newRow("parent not shown") << true << true << false << false;
}

void TstAbreJanela::focaCampo()
{
    QFETCH(bool, enabled);
    QFETCH(bool, visible);
    QFETCH(bool, parentShown);
    QFETCH(bool, focused);

    QWidget janela;
    auto *layout = new QVBoxLayout(&janela);
    auto *outro = new QLineEdit(&janela);
    auto *campo = new QLineEdit(&janela);
    layout->addWidget(outro);
    layout->addWidget(campo);
    campo->setEnabled(enabled);
    campo->setVisible(visible);
    if (parentShown) {
        janela.show();
        QApplication::setActiveWindow(&janela);
        QVERIFY(QTest::qWaitForWindowActive(&janela));
        outro->setFocus();
    }

    QCOMPARE(FocaCampo(campo), focused);
    QCOMPARE(campo->hasFocus(), focused);
    QVERIFY(!FocaCampo(nullptr));
}

QTEST_MAIN(TstAbreJanela)
#include "tst_abre_janela.moc"
