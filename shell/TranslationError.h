#pragma once

#include <QString>
#include <stdexcept>

// Raised when a stored translation cannot be used, e.g. an octal escape above 255.
class ETranslationError : public std::runtime_error
{
public:
    explicit ETranslationError(const QString& Message) : std::runtime_error(Message.toStdString()) {}

    QString Message() const { return QString::fromStdString(what()); }
};
