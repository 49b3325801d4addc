#!/usr/bin/env bash
# Load test of dotezmar-sunucu on loopback with wrk: requests per second and
# median / 95th-percentile latency of EchoString and BuyukGetir with 1, 8 and
# 64 connections; errors, if any, by kind (connect, read, write, status,
# time-out over wrk's 2 s). Usage: bench/sunucu/wrk.sh PATH/TO/dotezmar-sunucu [SECONDS]
set -euo pipefail
sunucu=$1
sure=${2:-10}
burasi=$(cd "$(dirname "$0")" && pwd)
is=$(mktemp -d)
trap 'kill -TERM "${pid:-}" 2>/dev/null || true; wait 2>/dev/null || true; rm -rf "$is"' EXIT

"$sunucu" demo-veri --veritabani "$is/bench.sqlite" --stok 2000 >/dev/null 2>&1
port=18199
"$sunucu" --dinle "127.0.0.1:$port" --veritabani "$is/bench.sqlite" --sessiz 2>"$is/sunucu.log" &
pid=$!
sleep 1

printf '%-12s %6s %12s %10s %10s\n' metot baglanti istek/sn medyan_ms p95_ms
for metot in EchoString BuyukGetir; do
    case $metot in
        EchoString) govde='{"_parameters":["Merhaba d\u00fcnya"]}' ;;
        BuyukGetir) govde='{"_parameters":["DEMO-BAYI-0"]}' ;;
    esac
    for baglanti in 1 8 64; do
        satir=$(METOT=$metot GOVDE=$govde wrk -t "$(( baglanti < 2 ? 1 : 2 ))" -c "$baglanti" -d "${sure}s" \
                    -s "$burasi/cagri.lua" "http://127.0.0.1:$port" | grep '^SONUC')
        read -r _ _ hiz medyan p95 hata turler <<<"$satir"
        printf '%-12s %6d %12s %10s %10s %s\n' "$metot" "$baglanti" "${hiz#*=}" "${medyan#*=}" "${p95#*=}" \
            "$([ "${hata#*=}" = 0 ] || echo "(${hata}: ${turler})")"
    done
done
