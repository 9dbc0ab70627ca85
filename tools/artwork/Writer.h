// Writes the pictures of the catalogue, their resource file and the test sound.
#pragma once

#include "Catalogue.h"

#include <QString>

namespace art {

// Writes one piece of artwork under root; returns an error text, empty on success.
QString writeArtwork(const Artwork &artwork, const QString &root);

// Writes the resource file listing every compiled-in picture of the catalogue.
QString writeResourceFile(const QString &path);

} // namespace art
