#pragma once

#include <QString>

// Stored form of a password: a salted Argon2id hash (libsodium's encoded string,
// under 255 characters). The stored form can only be checked, never read back.
QString SavePass(const QString &plain);

// True when plain is the password behind stored. An empty stored value is the
// empty password, as databases made before hashing may hold it.
bool CheckPass(const QString &stored, const QString &plain);
