#pragma once
// The commands that read maps without writing them back, each taking any number of files and folders:
// check, analyse, stats, text and render.

#include <QStringList>

namespace tav::cli {

int CheckCommand(const QStringList& arguments);
int AnalyseCommand(const QStringList& arguments);
int StatsCommand(const QStringList& arguments);
int TextCommand(const QStringList& arguments);
int RenderCommand(const QStringList& arguments);

} // namespace tav::cli
