#pragma once

// Internal to the wire library: reads, as it arrives, a reply whose result
// is a stream written as a byte array beside other outputs,
//     {"result":[<size>, ..., [37,80,68,70,...]]}
// and hands the bytes on the way callers read a stream: in blocks of 1024
// bytes, with progress after each block (the last, shorter block too), the
// content kept only when its length equals the announced size.

#include <array>
#include <functional>
#include <string>
#include <vector>

#include <QByteArray>

#include "remote/cagri.h"
#include "remote/httpoturumu.h"
#include "remote/sunucubaglantisi.h"

class AkisliCevapOkuyucu final : public CevapAlici
{
public:
    static constexpr int blokBoyutu = 1024;

    AkisliCevapOkuyucu(const Metot &metot, AkisIlerlemesi ilerleme);

    bool veri(std::string_view parca) override;

    // The outputs once the reply is complete. The stream output holds the
    // content when its length matched the announced size, an empty array when
    // it did not (or the size was 0), and null when the server sent no stream.
    // Throws UzakHata for a reply that is cut off or does not match the method.
    std::vector<Deger> bitir();

private:
    enum class Evre
    {
        Onek, // the outputs before the stream, copied as they are
        Baytlar, // inside the byte array
        Sonek, // after it
    };

    void onekKarakteri(char c);
    void baytKarakteri(char c);
    void baytBitti();
    void blokTeslimEt();
    void akisBasladi();

    const Metot &metot_;
    AkisIlerlemesi ilerleme_;
    Evre evre_ = Evre::Onek;

    // The reply without the byte array (a null in its place), parsed at the end.
    std::string metin_;
    bool dizgide_ = false;
    bool kacis_ = false;
    int derinlik_ = 0;
    std::string dizgi_; // the latest string at depth 1: the key of what follows
    bool sonuctaMi_ = false; // inside the "result" array
    int eleman_ = 0; // index of the current element of "result"
    bool elemanBekleniyor_ = false;

    // The byte array.
    int sayi_ = 0;
    int rakam_ = 0;
    bool sayiKapandi_ = false;
    bool virgulSonrasi_ = false;
    std::array<char, blokBoyutu> blok_ {};
    int blokDolu_ = 0;
    long long boyut_ = 0; // announced size
    long long alinan_ = 0;
    bool akisVar_ = false;
    bool fazla_ = false;
    QByteArray icerik_;
};
