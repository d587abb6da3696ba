#pragma once

#include <QString>
#include <stdexcept>

// Raised when a file cannot be created or written; what() and Message() read
// "Cannot create file "<path>". <reason>".
class EFileCreateError : public std::runtime_error
{
public:
    EFileCreateError(const QString& path, const QString& reason)
        : std::runtime_error(MakeMessage(path, reason).toStdString()), FPath(path), FReason(reason)
    {
    }

    QString Path() const { return FPath; }
    QString Reason() const { return FReason; }
    QString Message() const { return MakeMessage(FPath, FReason); }

    static QString MakeMessage(const QString& path, const QString& reason)
    {
        return QStringLiteral("Cannot create file \"%1\". %2").arg(path, reason);
    }

private:
    QString FPath;
    QString FReason;
};
