#pragma once

#include <QString>

// What the session record tells the server about this computer.

// The computer's network name: the host name up to its first dot, cut to the 15 characters a
// computer name may have on the network. Empty when it cannot be read.
QString BilgisayarAdiAl();

// The login name of the user running the program. Empty when it cannot be read or is longer
// than 15 characters (the limit the server's records keep).
QString KullaniciAdiAl();

// The first IPv4 address the host name resolves to, as dotted text; "127.0.0.1" when there is
// none or the name cannot be resolved.
QString IpAdresiAl();
