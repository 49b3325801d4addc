#!/usr/bin/env bash
# Builds the client and the server, creates the demo database if it is
# missing, starts the server on loopback, registers this computer for the
# demo dealer, and starts the client pointed at it. Stops the server when the
# client exits. Installs what it needs first.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/bagimliliklar.sh demo
cmake --preset gelistirme >/dev/null
cmake --build --preset gelistirme --target dotezmar dotezmar-sunucu dotezmar-kimlik

yap=build/gelistirme
sunucu=$yap/sunucu/dotezmar-sunucu
istemci=$yap/app/dotezmar
demo=build/demo
veritabani=$demo/dotezmar-demo.sqlite
mkdir -p "$demo"

if [ ! -f "$veritabani" ]; then
    echo "Creating the demo database ($veritabani)..."
    "$sunucu" demo-veri --veritabani "$veritabani" >/dev/null
fi

# A free port above 1024 on loopback (the installation's port 99 needs root).
port=$(for p in $(seq 18099 18199); do
           (exec 3<>"/dev/tcp/127.0.0.1/$p") 2>/dev/null || { echo "$p"; break; }
       done)
[ -n "$port" ] || { echo "No free port between 18099 and 18199." >&2; exit 1; }

# The demo's setup package: a script that only notes that an update started it.
paket=$demo/DTezmarOtomotivSetup.sh
guncelleme_kaydi=$(cd "$demo" && pwd)/guncelleme.log
cat > "$paket" <<PAKET
#!/bin/sh
echo "\$(date '+%F %T') kurulum paketi çalıştı: \$0 \$*" >> "$guncelleme_kaydi"
PAKET

"$sunucu" --dinle "127.0.0.1:$port" --veritabani "$veritabani" --guncelleme-dosyasi "$paket" \
    2>"$demo/sunucu.log" &
sunucu_pid=$!
trap 'kill -TERM "$sunucu_pid" 2>/dev/null; wait "$sunucu_pid" 2>/dev/null || true' EXIT

# Wait until it answers the cheap call the client opens its connections with.
for _ in $(seq 1 100); do
    if { exec 3<>"/dev/tcp/127.0.0.1/$port"; } 2>/dev/null; then
        printf 'GET /datasnap/rest/DSAdmin/GetPlatformName/ HTTP/1.1\r\nHost: x\r\nConnection: close\r\n\r\n' >&3
        if grep -q '"result"' <&3; then exec 3<&-; break; fi
        exec 3<&-
    fi
    kill -0 "$sunucu_pid" 2>/dev/null || { cat "$demo/sunucu.log" >&2; exit 1; }
    sleep 0.1
done

# This computer logs in as the type-0 demo dealer.
kimlik=$("$yap/remote/kimlik/dotezmar-kimlik" || true)
if [ -n "$kimlik" ]; then
    "$sunucu" yonet --veritabani "$veritabani" bilgisayar-kaydet BAYI0 "$kimlik" "demo: bu bilgisayar" >/dev/null
fi

cat > "$(dirname "$istemci")/kurulum.ini" <<INI
[sunucu]
adres=127.0.0.1
port=$port
[adresler]
guncelleme=http://127.0.0.1:$port
INI

cat <<BILGI

Demo server: http://127.0.0.1:$port/datasnap/rest/  (log: $demo/sunucu.log)
This computer (${kimlik:-no identifier}) logs in as the demo dealer:
    user name BAYI0   password DEMO0
Other demo accounts (computer identifier / user / password) are listed in README.md.
Requests sent from the client: $sunucu yonet --veritabani $veritabani istekler
To try the update: $sunucu yonet --veritabani $veritabani istemci-surumu 4
(the demo package only notes in $guncelleme_kaydi that it ran).

BILGI

if [ -n "${DISPLAY:-}" ] || [ -n "${WAYLAND_DISPLAY:-}" ]; then
    "$istemci"
else
    echo "No display found: starting the client under xvfb-run."
    xvfb-run -a -s "-screen 0 1600x900x24" "$istemci"
fi
