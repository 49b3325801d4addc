#pragma once

#include "sunucu/veritabani.h"

// The store's schema, versioned. A new database gets every migration; an
// older one the ones it lacks. A database newer than this server is refused.
void semayiGuncelle(Veritabani &vt);
int semaSurumu(Veritabani &vt);
int semaSonSurum();
