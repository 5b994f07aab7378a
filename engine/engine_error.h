#pragma once

#include <QString>
#include <stdexcept>

namespace zef {

// Every failure of the table engine. The message is what the user sees in the error box
// and in Erros.log; callers match on parts of it ("Key violation.", "No index for fields").
class EngineError : public std::runtime_error
{
public:
    explicit EngineError(const QString &message)
        : std::runtime_error(message.toStdString()), m_message(message) {}
    QString message() const { return m_message; }

private:
    QString m_message;
};

// Raised by a rule to abandon the operation in progress without any message; the
// record keeps the state it had.
class SilentAbort : public std::exception
{
public:
    const char *what() const noexcept override { return "operation abandoned"; }
};

inline constexpr auto kKeyViolation = "Key violation.";
inline constexpr auto kNoIndexForFields = "No index for fields";

// The engine refused a row whose key is already stored.
inline bool isKeyViolation(const EngineError &error)
{
    return error.message() == QLatin1String(kKeyViolation);
}

} // namespace zef
