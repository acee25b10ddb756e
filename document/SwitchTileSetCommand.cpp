#include "SwitchTileSetCommand.h"

#include <QCoreApplication>

namespace tav::edits {

SwitchTileSetCommand::SwitchTileSetCommand(Document* document, TileSet tileSet)
    : DocumentCommand(QCoreApplication::translate("UndoCommands", "キャラクター切り替え")), document_(document), before_(document->TileSet()),
      after_(tileSet) {}

} // namespace tav::edits
