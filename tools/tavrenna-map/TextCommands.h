#pragma once
// The commands that serve version control: the text form back into a map, and the difference of two maps.

#include <QStringList>

namespace tav::cli {

int FromTextCommand(const QStringList& arguments);
int DiffCommand(const QStringList& arguments);

} // namespace tav::cli
