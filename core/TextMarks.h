#pragma once
// Marks a text of the core that the editor shows for its translation catalogue. The core keeps the text as
// it is (Japanese, which the command-line tool prints); lupdate reads the mark as Qt's QT_TRANSLATE_NOOP
// (see ui/CMakeLists.txt), and the editor translates the text with QCoreApplication::translate(context,
// text). The core itself stays free of Qt.
#define TAV_TRANSLATE_NOOP(context, text) text
