#pragma once
// The plug-in's exception: an error with a text in the system's own words. what() gives the
// text in UTF-8 so that the module boundary can hand it to the host unchanged.

#include <QByteArray>
#include <QString>

#include <exception>

namespace provozmat {

class PluginError : public std::exception {
public:
    explicit PluginError(QString message) : message_(std::move(message)), utf8_(message_.toUtf8()) {}

    const QString& message() const noexcept { return message_; }
    const char* what() const noexcept override { return utf8_.constData(); }

private:
    QString message_;
    QByteArray utf8_;
};

// The text of any exception, as the plug-in shows it.
QString exceptionText(const std::exception& e);

} // namespace provozmat
