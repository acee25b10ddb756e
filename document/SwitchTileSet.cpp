#include "SwitchTileSet.h"

namespace tav::edits {

SwitchTileSet::SwitchTileSet(Document* document, TileSet tileSet)
    : DocumentCommand(QStringLiteral("キャラクター切り替え")), document_(document), before_(document->TileSet()),
      after_(tileSet) {}

} // namespace tav::edits
