#pragma once
// Message formatting with the system's format strings: %s, %d, %u, %x, %f, %g, %%, with an
// optional argument index ("%0:s" reads argument 0 and the next plain directive continues
// with argument 1), a left-justify flag, a width and a precision ("%.2d" pads with zeros).

#include <QString>

#include <cstdint>
#include <initializer_list>
#include <variant>

namespace provozmat {

class FormatArg {
public:
    FormatArg(const QString& text) : value_(text) {}
    FormatArg(const char* text) : value_(QString::fromUtf8(text)) {}
    FormatArg(const char16_t* text) : value_(QString::fromUtf16(text)) {}
    FormatArg(int number) : value_(std::int64_t{number}) {}
    FormatArg(long number) : value_(std::int64_t{number}) {}
    FormatArg(long long number) : value_(std::int64_t{number}) {}
    FormatArg(unsigned number) : value_(std::int64_t{number}) {}
    FormatArg(double number) : value_(number) {}

    const std::variant<QString, std::int64_t, double>& value() const noexcept { return value_; }

private:
    std::variant<QString, std::int64_t, double> value_;
};

// Fills format with args; a directive that does not match its argument, or an argument that
// is missing, raises a PluginError naming the format.
QString format(const QString& format, std::initializer_list<FormatArg> args);

} // namespace provozmat
