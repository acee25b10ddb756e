#pragma once
// The file commands: New, Open, Save and Save As, and the question before unsaved work is discarded.
// Whatever else wants a map opened or saved (the main window's close, a dropped file, a recent file)
// goes through here.

#include <QObject>
#include <QString>

#include <functional>

class QWidget;

namespace tav {

class Document;

class FileController : public QObject {
    Q_OBJECT
public:
    // `runCheck` runs the map check and says whether it found a problem (the check window shows it).
    FileController(Document* document, QWidget* dialogParent, std::function<bool()> runCheck);

    // True when the map may be discarded: it is unmodified, or the user said OK.
    bool MaybeDiscard();

    void NewMap();
    // Asks for a file and opens it.
    void Open();
    // Opens the map at `path`; a file that is not a map is reported and the map in the editor stays.
    bool OpenPath(const QString& path);
    void Save();
    // `byUser` when the user chose Save As; Save falls back on it for a map without a file.
    void SaveAs(bool byUser);

private:
    bool AskSaveAnyway();
    void ShapeMap();
    void Write(const QString& path);

    Document* document_;
    QWidget* dialogParent_;
    std::function<bool()> runCheck_;
    QString saveDialogName_; // what the save dialog offers when the map has no file yet: its last choice
};

} // namespace tav
