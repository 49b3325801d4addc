#pragma once

class Dagitici;

// Puts the catalogue, basket and order methods into service: StokAraTezmar,
// ResimVer5, SepetVer, SepetEkle, SepetGuncelle, SepetSatirSil,
// SepetHepsiniSil, SepetSecimGuncelle, TeslimVer, KargoVer, KargolarVer,
// SiparisKaydet.
void siparisYontemleriniKaydet(Dagitici &dagitici);
