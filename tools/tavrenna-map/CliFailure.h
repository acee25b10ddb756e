#pragma once
// How a command of the tool ends: its exit statuses, and the failure that carries the one line for stderr.

#include <QString>

#include <stdexcept>

namespace tav::cli {

// Exit statuses scripts rely on.
constexpr int ExitSuccess = 0;
constexpr int ExitProblemsFound = 1;
constexpr int ExitError = 2;

// A failure that ends the command: one line for stderr (without the program name) and exit status 2.
class CliFailure : public std::runtime_error {
public:
    explicit CliFailure(const QString& line) : std::runtime_error(line.toStdString()), line_(line) {}
    const QString& Line() const { return line_; }

private:
    QString line_;
};

} // namespace tav::cli
