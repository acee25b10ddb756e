#pragma once

#include <QStringList>

namespace tav::cli {

// Runs the tool on its arguments (the program name first) and returns the exit status:
// 0 success, 1 the check found problems, 2 any error (already reported on stderr).
int RunTavrennaMap(const QStringList& arguments);

} // namespace tav::cli
