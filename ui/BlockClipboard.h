#pragma once
// Copy and paste through the system clipboard. A block goes on it in three forms: the editor's own (size,
// codes and where it was copied from), plain text (a line per row, codes as two-digit hex, so a block can be
// edited in a text editor and pasted back) and a picture of its tiles. Pasting takes the editor's own form
// first, then the text.

#include "CellBlock.h"

#include <QImage>
#include <QString>

#include <functional>
#include <optional>

class QMimeData;

namespace tav {

inline const QString BlockMimeType = QStringLiteral("application/x-tavrenna-cells");

// The clipboard's contents for `block`, with the picture `drawPicture` draws (the block's tiles) as the picture
// form. It is drawn when first asked for: a whole map at 32 pixels is millions of bytes, and most copies are
// only ever pasted back into the editor.
QMimeData* BlockMimeData(const CellBlock& block, std::function<QImage()> drawPicture);

struct ClipboardBlock {
    std::optional<CellBlock> Block;
    bool HasOrigin = false; // the editor's own form knows where the block was copied from; text does not
    QString Error;          // why nothing can be pasted, for the user
};

ClipboardBlock BlockFromMimeData(const QMimeData* data);

// The same through the application's clipboard.
void PutBlockOnClipboard(const CellBlock& block, std::function<QImage()> drawPicture);
ClipboardBlock BlockFromClipboard();

} // namespace tav
