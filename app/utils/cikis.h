#pragma once

#include <functional>

// Ending the program at once, saving nothing: a cancelled login, an unregistered computer, the
// update and a confirmed close all end here. One replaceable hook, so tests can watch it.

using CikisKancasi = std::function<void(int cikisKodu)>;

// Ends the process with the code through the current hook (by default at once, without
// running destructors; the standard streams are flushed first).
void ProgramiBitir(int cikisKodu);

// Installs another hook and returns the previous one; an empty hook restores the default.
CikisKancasi CikisKancasiKur(CikisKancasi kanca);
