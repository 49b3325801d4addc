#pragma once

#include <QString>

// The per-user folder of the program: the user's configuration folder ($XDG_CONFIG_HOME,
// ~/.config by default) followed by "/dotezmar", created when missing. No trailing separator;
// the path comes back even when the folder could not be made (a later write then fails).
QString UygulamaKlasoru();

// The user's Documents folder (XDG user dirs), or the home folder when there is none.
// No trailing separator.
QString BelgelerKlasoru();
