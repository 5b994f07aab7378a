#pragma once

#include <QDialog>

class QPlainTextEdit;
class QPushButton;
class QStatusBar;

namespace zef {

// "Validação de Dados": the findings that kept the declaration file from being written.
class TfMsgValidaDados : public QDialog
{
    Q_OBJECT

public:
    explicit TfMsgValidaDados(QWidget *parent = nullptr);

    // The validation list, its lines joined by line breaks.
    void setTexto(const QString &text);
    QString texto() const;

    QPushButton *btnRetornar;
    QPlainTextEdit *Memo1;
    QStatusBar *StatusBar;

private slots:
    void btnRetornarClick();
};

} // namespace zef
