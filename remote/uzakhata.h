#pragma once

#include <stdexcept>

#include <QString>

// A remote call that failed: the server could not be reached, it answered
// with an error, or its answer could not be read. The text is what the user
// is shown; for a server error it is the server's own text.
class UzakHata : public std::runtime_error
{
public:
    enum class Tur
    {
        Baglanti, // no connection, time-out, transfer broken off
        Sunucu, // the server answered with an error status
        Cevap, // the answer is not what the method returns
    };

    UzakHata(Tur tur, const QString &mesaj)
        : std::runtime_error(mesaj.toStdString())
        , tur_(tur)
        , mesaj_(mesaj)
    {
    }

    Tur tur() const { return tur_; }
    const QString &mesaj() const { return mesaj_; }

private:
    Tur tur_;
    QString mesaj_;
};
