#pragma once

#include <QWidget>

namespace zef {

// The splash window shown while the program starts: borderless, centred on the screen.
class TfInicia : public QWidget
{
    Q_OBJECT

public:
    explicit TfInicia(QWidget *parent = nullptr);

    // Shows the window centred and paints it at once: the start-up is about to keep the event loop busy.
    void mostra();
};

} // namespace zef
