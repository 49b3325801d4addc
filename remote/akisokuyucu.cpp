#include "remote/akisokuyucu.h"

#include <algorithm>

#include "remote/jsonic.h"
#include "remote/uzakhata.h"

using namespace Qt::StringLiterals;

namespace {

// The text before the stream is a size and a name; anything this long is not.
constexpr std::size_t onekSiniri = 16 * 1024 * 1024;
constexpr long long ayrilacakEnFazla = 256LL * 1024 * 1024;

bool bosluk(char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

[[noreturn]] void bozuk()
{
    jsonic::cevapHatasi(u"Akış okunamadı: bayt dizisi bozuk"_s);
}

} // namespace

AkisliCevapOkuyucu::AkisliCevapOkuyucu(const Metot &metot, AkisIlerlemesi ilerleme)
    : metot_(metot)
    , ilerleme_(std::move(ilerleme))
{
}

bool AkisliCevapOkuyucu::veri(std::string_view parca)
{
    for (const char c : parca) {
        if (evre_ == Evre::Baytlar)
            baytKarakteri(c);
        else
            onekKarakteri(c);
    }
    if (metin_.size() > onekSiniri)
        jsonic::cevapHatasi(u"Cevap beklenenden uzun"_s);
    return true;
}

void AkisliCevapOkuyucu::onekKarakteri(char c)
{
    if (dizgide_) {
        metin_ += c;
        if (kacis_) {
            kacis_ = false;
        } else if (c == '\\') {
            kacis_ = true;
        } else if (c == '"') {
            dizgide_ = false;
        } else if (derinlik_ == 1) {
            dizgi_ += c;
        }
        return;
    }
    if (bosluk(c)) {
        metin_ += c;
        return;
    }
    // The first character of an element of "result".
    if (sonuctaMi_ && derinlik_ == 2 && elemanBekleniyor_) {
        elemanBekleniyor_ = false;
        if (c == '[' && eleman_ == metot_.ciktiSayisi() - 1 && evre_ == Evre::Onek) {
            akisBasladi();
            return;
        }
    }
    metin_ += c;
    switch (c) {
    case '"':
        dizgide_ = true;
        if (derinlik_ == 1)
            dizgi_.clear();
        break;
    case '{':
    case '[':
        if (c == '[' && derinlik_ == 1 && dizgi_ == "result") {
            sonuctaMi_ = true;
            eleman_ = 0;
            elemanBekleniyor_ = true;
        }
        ++derinlik_;
        break;
    case '}':
    case ']':
        --derinlik_;
        if (derinlik_ == 1)
            sonuctaMi_ = false;
        break;
    case ',':
        if (sonuctaMi_ && derinlik_ == 2) {
            ++eleman_;
            elemanBekleniyor_ = true;
        }
        break;
    default:
        break;
    }
}

void AkisliCevapOkuyucu::akisBasladi()
{
    // The size is among the outputs that came before the stream.
    const std::vector<Deger> onceki = cevapOku(metot_, metin_ + "null]}");
    for (int i = 0; i < metot_.ciktiSayisi(); ++i) {
        if (metot_.cikti(i).tur == Tur::Tamsayi64) {
            boyut_ = std::max<long long>(0, std::get<qint64>(onceki[static_cast<std::size_t>(i)]));
            break;
        }
    }
    icerik_.reserve(static_cast<qsizetype>(std::min(boyut_, ayrilacakEnFazla)));
    metin_ += "null";
    akisVar_ = true;
    evre_ = Evre::Baytlar;
    sonuctaMi_ = true;
    derinlik_ = 2;
}

void AkisliCevapOkuyucu::baytKarakteri(char c)
{
    if (c >= '0' && c <= '9') {
        if (sayiKapandi_)
            bozuk();
        sayi_ = sayi_ * 10 + (c - '0');
        if (sayi_ > 255 || ++rakam_ > 3)
            bozuk();
        return;
    }
    if (bosluk(c)) {
        sayiKapandi_ = rakam_ > 0;
        return;
    }
    if (c == ',' || c == ']') {
        if (rakam_ > 0) {
            blok_[static_cast<std::size_t>(blokDolu_++)] = static_cast<char>(sayi_);
            if (blokDolu_ == blokBoyutu)
                blokTeslimEt();
        } else if (c == ',' || virgulSonrasi_) {
            bozuk(); // an empty element
        }
        sayi_ = 0;
        rakam_ = 0;
        sayiKapandi_ = false;
        virgulSonrasi_ = c == ',';
        if (c == ']')
            baytBitti();
        return;
    }
    bozuk();
}

void AkisliCevapOkuyucu::blokTeslimEt()
{
    alinan_ += blokDolu_;
    if (boyut_ > 0) {
        if (!fazla_ && alinan_ <= boyut_)
            icerik_.append(blok_.data(), blokDolu_);
        else
            fazla_ = true; // dropped at the end; no need to keep what follows
        if (ilerleme_)
            ilerleme_(static_cast<int>(std::min<long long>(100, alinan_ * 100 / boyut_)));
    }
    blokDolu_ = 0;
}

void AkisliCevapOkuyucu::baytBitti()
{
    // The last read: shorter than a block, perhaps empty.
    blokTeslimEt();
    evre_ = Evre::Sonek;
    elemanBekleniyor_ = false;
}

std::vector<Deger> AkisliCevapOkuyucu::bitir()
{
    if (evre_ == Evre::Baytlar || dizgide_ || derinlik_ != 0)
        throw UzakHata(UzakHata::Tur::Baglanti, u"Sunucunun cevabı yarıda kesildi"_s);
    std::vector<Deger> ciktilar = cevapOku(metot_, metin_);
    if (akisVar_) {
        const bool tamam = boyut_ > 0 && !fazla_ && alinan_ == boyut_;
        ciktilar.back() = tamam ? icerik_ : QByteArray();
    }
    return ciktilar;
}
