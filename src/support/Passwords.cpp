#include "Passwords.h"

#include <sodium.h>

namespace {

bool sodiumReady()
{
    static const bool ok = sodium_init() >= 0;
    return ok;
}

} // namespace

QString SavePass(const QString &plain)
{
    if (!sodiumReady())
        return {};
    const QByteArray pw = plain.toUtf8();
    char out[crypto_pwhash_STRBYTES];
    if (crypto_pwhash_str(out, pw.constData(), static_cast<unsigned long long>(pw.size()),
                          crypto_pwhash_OPSLIMIT_INTERACTIVE, crypto_pwhash_MEMLIMIT_INTERACTIVE)
        != 0)
        return {};
    return QString::fromLatin1(out);
}

bool CheckPass(const QString &stored, const QString &plain)
{
    if (stored.isEmpty())
        return plain.isEmpty();
    if (!sodiumReady())
        return false;
    const QByteArray s = stored.toLatin1();
    const QByteArray pw = plain.toUtf8();
    return crypto_pwhash_str_verify(s.constData(), pw.constData(), static_cast<unsigned long long>(pw.size())) == 0;
}
