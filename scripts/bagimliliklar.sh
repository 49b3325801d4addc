#!/usr/bin/env bash
# Installs the Debian packages a task needs; does nothing when they are all
# present. Usage: scripts/bagimliliklar.sh derleme|demo|test|bench
set -euo pipefail

derleme=(cmake ninja-build g++ pkg-config
         qt6-base-dev qt6-base-dev-tools qt6-svg-dev qt6-image-formats-plugins
         libcurl4-openssl-dev libcpp-httplib-dev libsimdjson-dev libgsf-1-dev
         libsqlite3-dev libpq-dev libssl-dev
         fonts-dejavu-core fonts-liberation)
ekran=(xvfb xauth x11-utils)

case "${1:-derleme}" in
    derleme) paketler=("${derleme[@]}") ;;
    demo)    paketler=("${derleme[@]}" "${ekran[@]}") ;;
    test)    paketler=("${derleme[@]}" "${ekran[@]}" python3-xlrd postgresql clang libclang-rt-14-dev) ;;
    bench)   paketler=("${derleme[@]}" "${ekran[@]}" wrk libbenchmark-dev) ;;
    *) echo "usage: $0 derleme|demo|test|bench" >&2; exit 2 ;;
esac

eksik=()
for p in "${paketler[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || eksik+=("$p")
done
[ ${#eksik[@]} -eq 0 ] && exit 0

echo "Installing: ${eksik[*]}"
yetki=()
[ "$(id -u)" -eq 0 ] || yetki=(sudo)
"${yetki[@]}" env DEBIAN_FRONTEND=noninteractive apt-get update -q
"${yetki[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends "${eksik[@]}"
