#pragma once

#include <QApplication>

#include <exception>
#include <functional>

namespace zef {

// The program's application object. An exception that leaves an event handler (a click, a key, a
// timer) is caught here and passed to the error handler, and the event loop goes on; a rule's
// silent abort is dropped without a word.
class ZefApplication : public QApplication
{
    Q_OBJECT

public:
    ZefApplication(int &argc, char **argv);
    ~ZefApplication() override;

    bool notify(QObject *receiver, QEvent *event) override;

    // Installed by the data module's creation; until then an escaping error is only written to
    // standard error.
    using ErrorHandler = std::function<void(std::exception_ptr)>;
    void setErrorHandler(ErrorHandler handler);

    // Ends the program: every event loop is left, and a start-up that has not reached the message
    // loop yet does not enter it.
    void encerra();
    bool encerrando() const { return m_encerrando; }

private:
    void dispatch(std::exception_ptr error);

    ErrorHandler m_handler;
    bool m_encerrando = false;
};

} // namespace zef
