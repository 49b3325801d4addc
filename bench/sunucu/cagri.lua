-- wrk script: one DataSnap call as the client sends it; prints requests per
-- second, the median and 95th-percentile latency, and the errors by kind.
-- Environment: METOT (method name), GOVDE (the {"_parameters":[...]} body).
wrk.method = "POST"
wrk.path = "/datasnap/rest/TServerMethods1/%22" .. os.getenv("METOT") .. "%22/"
wrk.body = os.getenv("GOVDE")
wrk.headers["Content-Type"] = "text/plain;charset=UTF-8"
wrk.headers["Accept"] = "application/JSON"

done = function(summary, latency, requests)
   local saniye = summary.duration / 1e6
   local h = summary.errors
   io.write(string.format("SONUC %s istek/sn=%.0f medyan_ms=%.3f p95_ms=%.3f hata=%d "
         .. "baglanti=%d okuma=%d yazma=%d durum=%d zamanasimi=%d\n",
      os.getenv("METOT"), summary.requests / saniye, latency:percentile(50) / 1000,
      latency:percentile(95) / 1000, h.connect + h.read + h.write + h.status + h.timeout,
      h.connect, h.read, h.write, h.status, h.timeout))
end
