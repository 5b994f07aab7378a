#pragma once

#include <QDialog>

namespace zef {

// The about box.
class TfSobre : public QDialog
{
    Q_OBJECT

public:
    explicit TfSobre(QWidget *parent = nullptr);
};

} // namespace zef
