#pragma once

#include "AreaTagEdit.h"
#include "SaveIntoPage.h"

// The edits that follow a map's new name and picture: the map's name, the
// usemap of every element that uses the map (img, image, input, object) and
// the src of the images among them. False with a message when the new name
// is another map's, or a new picture has no image to go into.
bool RenameMapReferences(const PageText& page, const QVector<ScannedMap>& maps, int mapIndex,
                         const PageMapOrigin& origin, const QString& mapName, const QString& pictureSrc,
                         QVector<PageEdit>* edits, QString* errorMessage);
