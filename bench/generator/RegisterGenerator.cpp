#include "RegisterGenerator.h"

#include "IdentityNumber.h"
#include "Rng.h"
#include "Vocabulary.h"
#include "data/Database.h"
#include "data/Schema.h"

#include <QFile>
#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdio>
#include <map>
#include <sqlite3.h>
#include <string>
#include <string_view>
#include <unordered_set>
#include <vector>

namespace {

using Vocabulary::Region;
using Vocabulary::Weighted;

constexpr int kNone = INT_MIN;

// Day numbers count from 1970-01-01 (H. Hinnant's civil calendar algorithms);
// QDate is far too slow for tens of millions of dates.
int daysFromCivil(int y, int m, int d)
{
    y -= m <= 2;
    const int era = (y >= 0 ? y : y - 399) / 400;
    const unsigned yoe = static_cast<unsigned>(y - era * 400);
    const unsigned doy = (153 * static_cast<unsigned>(m > 2 ? m - 3 : m + 9) + 2) / 5 + static_cast<unsigned>(d) - 1;
    const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + static_cast<int>(doe) - 719468;
}

struct Civil
{
    int y, m, d;
};

Civil civilFromDays(int z)
{
    z += 719468;
    const int era = (z >= 0 ? z : z - 146096) / 146097;
    const unsigned doe = static_cast<unsigned>(z - era * 146097);
    const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const unsigned mp = (5 * doy + 2) / 153;
    const int d = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
    const int m = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    return { static_cast<int>(yoe) + era * 400 + (m <= 2), m, d };
}

void putDigits(char *out, int value, int width)
{
    for (int i = width - 1; i >= 0; --i, value /= 10)
        out[i] = static_cast<char>('0' + value % 10);
}

std::string dateText(int days)
{
    const Civil c = civilFromDays(days);
    std::string s("0000-00-00");
    putDigits(s.data(), c.y, 4);
    putDigits(s.data() + 5, c.m, 2);
    putDigits(s.data() + 8, c.d, 2);
    return s;
}

std::string digits(Rng &rng, int n)
{
    std::string s(static_cast<std::size_t>(n), '0');
    for (char &c : s)
        c = static_cast<char>('0' + rng.below(10));
    return s;
}

std::string padded(long long value, int width)
{
    char buf[32];
    std::snprintf(buf, sizeof buf, "%0*lld", width, value);
    return buf;
}

std::string fullName(const Region &r)
{
    return r.province + r.city + r.district;
}

// Drops the final character (a district's "区") for the police office's name.
std::string districtStem(const std::string &district)
{
    std::size_t n = district.size();
    while (n > 0 && (static_cast<unsigned char>(district[n - 1]) & 0xC0) == 0x80)
        --n;
    return district.substr(0, n > 0 ? n - 1 : 0);
}

// One prepared INSERT over a fixed column list, with the values the program's
// own editors write for columns they leave empty.
class Inserter
{
public:
    struct ColumnUse
    {
        const char *column;
        bool editorWritten; // empty text, null date or 0 when unset; otherwise NULL
    };

    ~Inserter() { sqlite3_finalize(m_stmt); }

    bool prepare(sqlite3 *db, const char *table, const std::vector<ColumnUse> &columns, QString *error)
    {
        std::string cols, marks;
        for (const ColumnUse &s : columns) {
            const Schema::Column *c = Schema::column(QString::fromLatin1(table), QString::fromLatin1(s.column));
            if (!c) {
                if (error)
                    *error = QStringLiteral("%1.%2 不在数据结构中").arg(QLatin1String(table), QLatin1String(s.column));
                return false;
            }
            Cell d;
            if (c->kind == Schema::Kind::Bool) {
                d.kind = Cell::Int;
            } else if (s.editorWritten) {
                switch (c->kind) {
                case Schema::Kind::Integer:
                    d.kind = Cell::Int;
                    break;
                case Schema::Kind::Float:
                    d.kind = Cell::Real;
                    break;
                case Schema::Kind::Date:
                    d.kind = Cell::Fixed;
                    d.fixed = Database::kNullDate;
                    break;
                case Schema::Kind::Binary:
                case Schema::Kind::AutoKey:
                    break;
                default:
                    d.kind = Cell::Fixed;
                    d.fixed = "";
                }
            }
            m_defaults.push_back(d);
            if (!cols.empty()) {
                cols += ',';
                marks += ',';
            }
            cols += s.column;
            marks += '?';
        }
        m_cells = m_defaults;
        const std::string sql = "INSERT INTO " + std::string(table) + "(" + cols + ") VALUES(" + marks + ")";
        if (sqlite3_prepare_v2(db, sql.c_str(), -1, &m_stmt, nullptr) != SQLITE_OK) {
            if (error)
                *error = QString::fromUtf8(sqlite3_errmsg(db));
            return false;
        }
        return true;
    }

    void text(int c, std::string_view v)
    {
        m_cells[c].kind = Cell::Owned;
        m_cells[c].s.assign(v);
    }
    void integer(int c, long long v)
    {
        m_cells[c].kind = Cell::Int;
        m_cells[c].i = v;
    }
    void real(int c, double v)
    {
        m_cells[c].kind = Cell::Real;
        m_cells[c].d = v;
    }
    void flag(int c, bool v) { integer(c, v ? 1 : 0); }
    void date(int c, int days)
    {
        if (days == kNone) {
            text(c, Database::kNullDate);
            return;
        }
        const Civil civil = civilFromDays(days);
        std::string &s = m_cells[c].s;
        s.assign("0000-00-00");
        putDigits(s.data(), civil.y, 4);
        putDigits(s.data() + 5, civil.m, 2);
        putDigits(s.data() + 8, civil.d, 2);
        m_cells[c].kind = Cell::Owned;
    }

    bool insert()
    {
        for (int i = 0; i < static_cast<int>(m_cells.size()); ++i) {
            const Cell &c = m_cells[i];
            switch (c.kind) {
            case Cell::Null:
                sqlite3_bind_null(m_stmt, i + 1);
                break;
            case Cell::Int:
                sqlite3_bind_int64(m_stmt, i + 1, c.i);
                break;
            case Cell::Real:
                sqlite3_bind_double(m_stmt, i + 1, c.d);
                break;
            case Cell::Fixed:
                sqlite3_bind_text(m_stmt, i + 1, c.fixed, -1, SQLITE_STATIC);
                break;
            case Cell::Owned:
                sqlite3_bind_text(m_stmt, i + 1, c.s.data(), static_cast<int>(c.s.size()), SQLITE_STATIC);
                break;
            }
        }
        const bool ok = sqlite3_step(m_stmt) == SQLITE_DONE;
        sqlite3_reset(m_stmt);
        for (std::size_t i = 0; i < m_cells.size(); ++i) {
            m_cells[i].kind = m_defaults[i].kind;
            m_cells[i].i = 0;
            m_cells[i].d = 0;
            m_cells[i].fixed = m_defaults[i].fixed;
        }
        return ok;
    }

private:
    struct Cell
    {
        enum Kind : unsigned char { Null, Int, Real, Fixed, Owned };
        Kind kind = Null;
        long long i = 0;
        double d = 0;
        const char *fixed = nullptr;
        std::string s;
    };
    sqlite3_stmt *m_stmt = nullptr;
    std::vector<Cell> m_defaults;
    std::vector<Cell> m_cells;
};

// Columns of ZuZav the generator writes: name, written by the resident editor.
#define ZUZAV_COLUMNS(X)                                                                                               \
    X(F_mainID, 1)                                                                                                     \
    X(F_Code, 1)                                                                                                       \
    X(F_Name, 1)                                                                                                       \
    X(F_HKtype, 1) X(F_LDcode, 1) X(F_HScode, 1) X(F_ZYname, 1) X(F_HZname, 1) X(F_HZguanxi, 1) X(F_SFZcode, 1) X(     \
        F_QFwork, 1) X(F_QFdate, 1) X(F_CSdate, 1) X(F_CSaddress, 1) X(F_sex, 1) X(F_SG, 1) X(F_XX, 1) X(F_JKmem,      \
        1) X(F_HJaddress, 1) X(F_MinZu, 1) X(F_JGaddress, 1) X(F_ZZaddress, 1) X(F_QTaddress, 1) X(F_WHchengdu,        \
        1) X(F_HYmem, 1) X(F_BYmem, 1) X(F_ZJxinyang, 1) X(F_ZZmianmao, 1) X(F_work, 1) X(F_workAddress,               \
        1) X(F_HKxingzhi, 1) X(F_memo1, 1) X(F_JSflag, 1) X(F_editDate, 1) X(F_imagePath, 1) X(F_QRflag, 1)            \
        X(F_QRdate, 1) X(F_OLDaddress, 1) X(F_QRtype, 1) X(F_QRreason, 1) X(F_QCflag, 1) X(F_QCdate, 1) X(             \
            F_NewAddress, 1) X(F_QCtype, 1) X(F_QCreason, 1) X(F_WGflag, 1) X(F_SWdate, 1) X(F_SWreason,               \
            1) X(F_ZXflag, 1) X(F_ZXdate, 1)                                                                           \
            X(F_ZXreason, 1) X(F_ZF1, 1) X(F_ZF2, 1) X(F_ZF3, 1) X(F_ZF4, 1) X(F_ZF5, 1) X(F_SZ1, 1) X(F_SZ2, 1) X(    \
                F_SZ3, 1) X(F_RQ1, 1) X(F_RQ2, 1)                                                                      \
                X(F_RQ3, 1) X(F_JTcode, 1) X(F_JTaddress, 0) X(F_HKcode, 1) X(F_HJstatus, 1) X(F_JTphone, 1) X(        \
                    F_Znum, 0) X(F_Nnum, 0) X(F_Fnum, 0) X(F_SRprice, 1) X(F_JJstatus, 1) X(F_ZStype, 1)               \
                    X(F_memo2, 1) X(F_DBflag, 1) X(F_DBZcode, 0) X(F_DBreason, 0) X(F_BZprice, 0) X(F_DBfromDate,      \
                        0) X(F_DBtoDate, 0) X(F_memo3, 0) X(F_SYflag, 1)                                               \
                        X(F_SYdate, 0) X(F_SYZcode, 0) X(F_OLDwork, 0) X(F_OLDunit, 0) X(F_JYstatus, 0) X(F_XSflag, 0) \
                            X(F_XStoDate, 0) X(F_YBLflag, 0) X(F_QZmem, 0) X(F_YQprice, 0) X(F_memo4, 0)               \
                                X(F_YFflag, 1) X(F_YFZcode, 0) X(F_YFtype, 0) X(F_LDnengli, 0) X(F_SHnengli, 0)        \
                                    X(F_YFJYstatus, 0) X(F_YFprice, 0) X(F_GYstatus, 0)                                \
                                        X(F_memo5, 0) X(F_LLflag, 1) X(F_CYdate, 0)                                    \
                                            X(F_LJaddress, 0) X(F_xingQI, 0) X(F_AYreason, 0) X(F_LFflag, 0)           \
                                                X(F_LOLDwork, 0) X(F_Xaddress, 0) X(F_AZdate, 0) X(F_WAZreason, 0)     \
                                                    X(F_memo6, 0) X(F_LNflag, 1) X(F_workTime, 0) X(F_LTtime, 0)       \
                                                        X(F_LTprice, 0) X(F_JZmem, 0) X(F_LTmem, 0) X(F_POmem, 0) X(   \
                                                            F_MTmem, 0) X(F_JJlaiyuan, 0) X(F_TSmem, 0) X(F_memo7, 0)  \
                                                            X(F_CJflag, 1) X(F_CJZcode, 0) X(F_CJstatus, 0)            \
                                                                X(F_JHempName, 0) X(F_CJLDnengLI, 0) X(F_JNtechang, 0) \
                                                                    X(F_memo8, 0) X(F_TXflag, 0) X(F_TXhandphone, 0)   \
                                                                        X(F_TXphone, 0) X(F_TXworkPhone, 0)            \
                                                                            X(F_TXfax, 0) X(F_TXqq, 0) X(F_TXemail, 0)

namespace P {
enum : int {
#define X(name, written) name,
    ZUZAV_COLUMNS(X)
#undef X
};
const std::vector<Inserter::ColumnUse> columns = {
#define X(name, written) { #name, written != 0 },
    ZUZAV_COLUMNS(X)
#undef X
};
} // namespace P

namespace J {
enum : int { code, hk, head, ld, hs, hj, address, phone, z, n, f, income, jj, zs, memo, retired, js, db, yf };
const std::vector<Inserter::ColumnUse> columns
    = { { "F_code", true }, { "F_HKcode", true }, { "F_HZname", true }, { "F_LDcode", true }, { "F_HScode", true },
          { "F_HJstatus", true }, { "F_JTaddress", true }, { "F_JTphone", true }, { "F_Znum", true },
          { "F_Nnum", true }, { "F_Fnum", true }, { "F_SRprice", true }, { "F_JJstatus", true }, { "F_ZStype", true },
          { "F_memo1", true }, { "F_flag", true }, { "F_JSflag", true }, { "F_DBflag", true }, { "F_YFflag", true } };
} // namespace J

namespace B {
enum : int { mainID, date, type, before, after, memo, emp, edit };
const std::vector<Inserter::ColumnUse> columns = { { "F_mainID", true }, { "F_Date", true }, { "F_BGtype", true },
    { "F_Memo1", true }, { "F_Memo2", true }, { "F_Memo3", true }, { "F_EmpName", true }, { "F_editDate", true } };
} // namespace B

namespace T {
enum : int { mainID, date, time, caption, memo, oper, edit };
const std::vector<Inserter::ColumnUse> columns
    = { { "F_mainID", true }, { "F_AwokeDate", true }, { "F_AwokeTime", true }, { "F_Caption", true },
          { "F_Memo1", true }, { "F_OperName", true }, { "F_editDate", true } };
} // namespace T

// A weighted choice among the values a code type has in t_code.
class Picker
{
public:
    Picker() = default;
    // Preferred values keep their weights when t_code has them; with extras the
    // other t_code values come in rarely, or evenly when none of ours is there.
    // Without any usable t_code value the preferred list stands.
    Picker(const std::vector<Weighted> &preferred, const std::vector<std::string> &codes, bool extras)
    {
        std::vector<Weighted> items;
        for (const Weighted &w : preferred)
            if (codes.empty() || std::find(codes.begin(), codes.end(), w.text) != codes.end())
                items.push_back(w);
        if (items.empty() && extras)
            for (const std::string &c : codes)
                items.push_back({ c, 1 });
        if (items.empty())
            items = preferred;
        for (Weighted &w : items)
            w.weight *= 1000;
        if (extras) {
            // Together the values we have no frequency for take about 2 %.
            std::vector<std::string> rest;
            for (const std::string &c : codes)
                if (std::none_of(preferred.begin(), preferred.end(), [&](const Weighted &w) { return w.text == c; }))
                    rest.push_back(c);
            long long total = 0;
            for (const Weighted &w : items)
                total += w.weight;
            for (const std::string &c : rest)
                items.push_back(
                    { c, static_cast<int>(std::max(1LL, total / 50 / static_cast<long long>(rest.size()))) });
        }
        std::uint64_t sum = 0;
        for (const Weighted &w : items) {
            sum += static_cast<std::uint64_t>(w.weight);
            m_values.push_back(w.text);
            m_cumulative.push_back(sum);
        }
    }

    const std::string &pick(Rng &rng) const
    {
        static const std::string empty;
        if (m_values.empty())
            return empty;
        const std::uint64_t r = rng.below(static_cast<std::uint32_t>(m_cumulative.back()));
        const auto it = std::upper_bound(m_cumulative.begin(), m_cumulative.end(), r);
        return m_values[static_cast<std::size_t>(it - m_cumulative.begin())];
    }

private:
    std::vector<std::string> m_values;
    std::vector<std::uint64_t> m_cumulative;
};

enum class Role { Head, Spouse, Son, Daughter, Father, Mother, DaughterInLaw, SonInLaw, Grandson, Granddaughter };
enum class Marital { Single, Married, Divorced, Widowed };

struct Member
{
    Role role = Role::Head;
    bool male = true;
    int age = 0;
    int birth = 0;
    Marital marital = Marital::Single;
    std::string surname;
    std::string name;
    std::string id;
    const Region *idRegion = nullptr;
    int movedIn = kNone;
    int movedOut = kNone;
    int died = kNone;
    int cancelled = kNone;
    std::string cancelReason;
    bool db = false, sy = false, yf = false, ll = false, ln = false, cj = false, tx = false;
    bool active() const { return movedOut == kNone && died == kNone && cancelled == kNone; }
};

struct Household
{
    std::vector<Member> members;
    std::string building, room, address, booklet, phone;
    std::string hktype, hjstatus, hkxingzhi, jjstatus, zstype;
    const Region *origin = nullptr; // where a household that moved in came from
    int movedIn = kNone;
    bool registeredElsewhere = false; // lives here, registered where it came from
    bool poor = false, military = false;
    double income = 0;
    std::string familyCode;
};

class Filler
{
public:
    Filler(const RegisterGenerator::Options &options, RegisterGenerator::Totals &totals)
        : m_opt(options)
        , m_totals(totals)
        , m_rng(options.seed)
    {
        const QDate t = options.today;
        m_todayCivil = { t.year(), t.month(), t.day() };
        m_today = daysFromCivil(t.year(), t.month(), t.day());
        m_systemStart = std::min(daysFromCivil(2006, 3, 1), m_today - 365);
    }

    bool run(sqlite3 *db, QString *error);

private:
    bool loadCodes(sqlite3 *db, QString *error);
    Picker picker(const std::string &key) const;
    const Picker &pk(const char *key) const
    {
        static const Picker none;
        const auto it = m_pick.find(key);
        return it == m_pick.end() ? none : it->second;
    }
    std::string label(const std::string &type, std::initializer_list<const char *> candidates) const;

    void nextRoom(Household &h);
    void compose(int size, std::vector<Member> &m);
    void settle(Household &h);
    bool writeHousehold(Household &h);
    bool writePerson(const Household &h, Member &m, long long mainID);
    bool writeChanges(const Household &h, const Member &m, long long mainID);
    bool writeReminder(const Household &h, const Member &m, long long mainID);

    std::string personName(const std::string &surname, bool male, int birthYear);
    int birthFor(int age);
    int dateBetween(int lo, int hi)
    {
        return hi <= lo ? lo : lo + static_cast<int>(m_rng.below(static_cast<std::uint32_t>(hi - lo + 1)));
    }
    int yearsAfter(int day, int years) const
    {
        const Civil c = civilFromDays(day);
        return daysFromCivil(c.y + years, c.m, std::min(c.d, 28));
    }
    std::string identity(const Member &m);
    std::string mobile();
    std::string landline();
    std::string elsewhere(const Region &r);
    std::string policeOffice(const Region &r) const { return r.city + "公安局" + districtStem(r.district) + "分局"; }
    const Region &homeRegion() { return Vocabulary::homeRegions()[m_rng.chance(0.7) ? 0 : m_rng.range(1, 5)]; }

    const RegisterGenerator::Options &m_opt;
    RegisterGenerator::Totals &m_totals;
    Rng m_rng;
    Civil m_todayCivil {};
    int m_today = 0;
    int m_systemStart = 0;

    std::map<std::string, std::vector<std::string>> m_codes;
    std::map<std::string, Picker, std::less<>> m_pick;
    std::map<Role, std::string> m_relation;
    std::map<Marital, std::string> m_marital;
    std::string m_bg[9];
    std::string m_jz[4], m_po[4], m_ts[3];
    std::string m_elsewhere, m_disabled;
    Picker m_surnames;

    Inserter m_person, m_family, m_change, m_reminder;
    std::unordered_set<long long> m_ids;
    long long m_nextMainID = 1;
    long long m_nextFamily = 1;
    long long m_dbSerial = 1;

    // Walk through buildings and rooms; each household takes the next room.
    int m_building = 0, m_floors = 0, m_perFloor = 0, m_floor = 0, m_unit = 0;
};

const std::vector<Weighted> kSizes
    = { { "1", 17 }, { "2", 29 }, { "3", 27 }, { "4", 14 }, { "5", 8 }, { "6", 4 }, { "7", 1 } };

bool Filler::loadCodes(sqlite3 *db, QString *error)
{
    sqlite3_stmt *st = nullptr;
    if (sqlite3_prepare_v2(db, "SELECT lower(trim(F_type)), trim(F_name) FROM t_code", -1, &st, nullptr) != SQLITE_OK) {
        if (error)
            *error = QString::fromUtf8(sqlite3_errmsg(db));
        return false;
    }
    while (sqlite3_step(st) == SQLITE_ROW) {
        const auto *type = reinterpret_cast<const char *>(sqlite3_column_text(st, 0));
        const auto *name = reinterpret_cast<const char *>(sqlite3_column_text(st, 1));
        if (type && name && *name)
            m_codes[type].push_back(name);
    }
    sqlite3_finalize(st);

    for (const char *key :
        { "hktype", "hkxingzhi:native", "hkxingzhi:migrant", "hjstatus", "minzu", "xx", "jkmem:child", "jkmem:adult",
            "jkmem:elderly", "whchengdu:preschool", "whchengdu:primary", "whchengdu:junior", "whchengdu:senior",
            "whchengdu:college", "whchengdu:adult", "whchengdu:elderly", "bymem:man", "bymem:woman", "zjxinyang",
            "zzmianmao:child", "zzmianmao:youth", "zzmianmao:adult", "zzmianmao:elderly", "work:student", "work:adult",
            "work:retired", "qrtype:in", "qrtype:out", "empname", "awoketime", "txcaption:general", "dbreason",
            "jystatus", "jystatus:unemployed", "qctype:out", "jntechang", "wazreason", "yftype", "ldnengli", "shnengli",
            "gystatus", "mtmem", "jjlaiyuan", "cjstatus", "jjstatus:normal", "jjstatus:poor", "zstype" })
        m_pick.emplace(key, picker(key));
    m_surnames = Picker(Vocabulary::surnames(), {}, false);

    m_relation = { { Role::Head, label("hzguanxi", { "户主", "本人" }) },
        { Role::Spouse, label("hzguanxi", { "配偶", "妻", "夫" }) },
        { Role::Son, label("hzguanxi", { "子", "儿子", "长子" }) },
        { Role::Daughter, label("hzguanxi", { "女", "女儿", "长女" }) },
        { Role::Father, label("hzguanxi", { "父亲", "父" }) }, { Role::Mother, label("hzguanxi", { "母亲", "母" }) },
        { Role::DaughterInLaw, label("hzguanxi", { "儿媳", "媳" }) }, { Role::SonInLaw, label("hzguanxi", { "女婿" }) },
        { Role::Grandson, label("hzguanxi", { "孙子" }) }, { Role::Granddaughter, label("hzguanxi", { "孙女" }) } };
    m_marital = { { Marital::Single, label("hymem", { "未婚" }) },
        { Marital::Married, label("hymem", { "已婚", "初婚", "有配偶" }) },
        { Marital::Divorced, label("hymem", { "离婚", "离异" }) }, { Marital::Widowed, label("hymem", { "丧偶" }) } };
    const char *const bg[9][2] = { { "迁入", "户口迁入" }, { "迁出", "户口迁出" }, { "死亡", "死亡注销" },
        { "出生", "出生登记" }, { "婚姻状况变更", "婚姻变更" }, { "文化程度变更", "学历变更" },
        { "地址变更", "住址变更" }, { "姓名变更", "更名" }, { "户主变更", "变更户主" } };
    for (int i = 0; i < 9; ++i)
        m_bg[i] = label("bgtype", { bg[i][0], bg[i][1] });
    m_jz[0] = label("jzmem", { "独居" });
    m_jz[1] = label("jzmem", { "与配偶同住" });
    m_jz[2] = label("jzmem", { "与子女同住" });
    m_jz[3] = label("jzmem", { "与配偶及子女同住", "与子女同住" });
    m_po[0] = label("pomem", { "健在" });
    m_po[1] = label("pomem", { "已故", "丧偶" });
    m_po[2] = label("pomem", { "离异", "离婚" });
    m_po[3] = label("pomem", { "无配偶", "无", "未婚" });
    m_elsewhere = label("hjstatus", { "人在户不在" });
    m_disabled = label("jkmem", { "残疾" });
    m_ts[0] = label("tsmem", { "独居老人", "孤寡老人" });
    m_ts[1] = label("tsmem", { "空巢老人" });
    m_ts[2] = label("tsmem", { "高龄老人" });
    return true;
}

Picker Filler::picker(const std::string &key) const
{
    const auto colon = key.find(':');
    const auto it = m_codes.find(key.substr(0, colon));
    static const std::vector<std::string> none;
    // Values that depend on the person (age, household) take no unrelated extras.
    return Picker(Vocabulary::codeValues(key), it == m_codes.end() ? none : it->second, colon == std::string::npos);
}

std::string Filler::label(const std::string &type, std::initializer_list<const char *> candidates) const
{
    const auto it = m_codes.find(type);
    if (it != m_codes.end())
        for (const char *c : candidates)
            if (std::find(it->second.begin(), it->second.end(), c) != it->second.end())
                return c;
    return *candidates.begin();
}

std::string Filler::personName(const std::string &surname, bool male, int birthYear)
{
    const auto &chars = Vocabulary::givenChars(male, birthYear < 1965 ? 0 : birthYear <= 1994 ? 1 : 2);
    std::string name = surname + m_rng.pick(chars);
    if (m_rng.chance(0.7))
        name += m_rng.pick(chars);
    return name;
}

// A birth day giving exactly this age in completed years today.
int Filler::birthFor(int age)
{
    const Civil t = m_todayCivil;
    const int lo = daysFromCivil(t.y - age - 1, t.m, t.d) + 1;
    const int hi = daysFromCivil(t.y - age, t.m, t.d);
    return dateBetween(lo, hi);
}

std::string Filler::identity(const Member &m)
{
    const Civil c = civilFromDays(m.birth);
    const long long base = (std::stoll(m.idRegion->code) * 100000000LL + c.y * 10000LL + c.m * 100 + c.d) * 1000;
    // The sequence is unique within region and birth day, as the police issue it.
    for (;;) {
        const int seq = static_cast<int>(m_rng.below(500)) * 2 + (m.male ? 1 : 0);
        if (m_ids.insert(base + seq).second)
            return IdentityNumber::make(m.idRegion->code, c.y, c.m, c.d, seq);
    }
}

std::string Filler::mobile()
{
    static const char *const prefixes[] = { "13", "15", "18", "17", "19" };
    return prefixes[m_rng.below(5)] + digits(m_rng, 9);
}

std::string Filler::landline()
{
    return std::string("010-") + (m_rng.chance(0.6) ? "6" : "8") + digits(m_rng, 7);
}

std::string Filler::elsewhere(const Region &r)
{
    return fullName(r) + m_rng.pick(Vocabulary::streets()) + std::to_string(m_rng.range(1, 260)) + "号";
}

void Filler::nextRoom(Household &h)
{
    do {
        if (m_floor == 0 || (m_floor == m_floors && m_unit == m_perFloor)) {
            ++m_building;
            static const int heights[] = { 6, 6, 6, 11, 18, 18, 24, 26 };
            m_floors = heights[m_rng.below(8)];
            m_perFloor = m_rng.range(2, 4);
            m_floor = 1;
            m_unit = 1;
        } else if (m_unit == m_perFloor) {
            ++m_floor;
            m_unit = 1;
        } else {
            ++m_unit;
        }
    } while (m_rng.chance(0.06)); // empty flats
    h.building = std::to_string(m_building) + "栋";
    h.room = std::to_string(m_floor * 100 + m_unit);
    h.address = Vocabulary::compound() + h.building + h.room + "室";
}

// Who lives together: couples, children, a widowed parent, three generations.
void Filler::compose(int size, std::vector<Member> &out)
{
    out.clear();
    const double u = m_rng.unit();
    bool spouse = true;
    int children = 0, parents = 0, lo = 28, hi = 55;
    bool threeGen = false;
    double headMale = 0.8;
    switch (size) {
    case 1:
        spouse = false;
        if (u < 0.45) {
            lo = 22, hi = 40, headMale = 0.55;
        } else if (u < 0.65) {
            lo = 41, hi = 64, headMale = 0.5;
        } else {
            lo = 60, hi = 94, headMale = 0.38;
        }
        break;
    case 2:
        if (u < 0.22)
            lo = 23, hi = 35;
        else if (u < 0.42)
            lo = 45, hi = 62;
        else if (u < 0.72)
            lo = 60, hi = 86;
        else if (u < 0.87)
            spouse = false, children = 1, lo = 32, hi = 58, headMale = 0.3;
        else
            spouse = false, parents = 1, lo = 30, hi = 60, headMale = 0.5;
        break;
    case 3:
        if (u < 0.8)
            children = 1, lo = 26, hi = 55;
        else if (u < 0.9)
            parents = 1, lo = 28, hi = 60;
        else
            spouse = false, children = 2, lo = 35, hi = 58, headMale = 0.3;
        break;
    case 4:
        if (u < 0.5)
            children = 2, lo = 30, hi = 55;
        else if (u < 0.85)
            children = 1, parents = 1, lo = 28, hi = 50;
        else
            parents = 2, lo = 28, hi = 55;
        break;
    case 5:
        if (u < 0.45)
            children = 1, parents = 2, lo = 28, hi = 50;
        else if (u < 0.7)
            children = 2, parents = 1, lo = 30, hi = 50;
        else
            threeGen = true, lo = 52, hi = 80;
        break;
    default:
        if (u < 0.5)
            threeGen = true, lo = 52, hi = 80;
        else
            children = size - 4, parents = 2, lo = 30, hi = 48;
    }

    auto add = [&](Role role, bool male, int age, const std::string &surname) -> Member & {
        Member m;
        m.role = role;
        m.male = male;
        m.age = std::clamp(age, 0, 100);
        m.birth = birthFor(m.age);
        m.surname = surname;
        out.push_back(std::move(m));
        return out.back();
    };
    auto kids = [&](Role son, Role daughter, int eldest, int count, const std::string &surname) {
        int age = eldest;
        for (int i = 0; i < count; ++i) {
            const bool male = m_rng.chance(0.515);
            Member &k = add(male ? son : daughter, male, age, surname);
            k.marital = k.age >= 28 && m_rng.chance(0.25) ? Marital::Divorced : Marital::Single;
            age = std::max(0, age - m_rng.range(1, 7));
        }
    };

    const bool male = m_rng.chance(headMale);
    int headAge = m_rng.range(lo, hi);
    // Parents' ages follow from their eldest child's, so that children of all
    // ages up to leaving home are equally common.
    int eldest = 0, mother = 0;
    if (children > 0) {
        eldest = parents > 0 || m_rng.chance(0.75) ? m_rng.range(0, 19) : m_rng.range(20, 32);
        mother = eldest + m_rng.range(23, 35);
        headAge = spouse && male ? mother + m_rng.range(0, 5) : mother;
    }
    const std::string headSurname = m_surnames.pick(m_rng);
    add(Role::Head, male, headAge, headSurname);
    int motherAge = headAge;
    std::string childSurname = headSurname;
    if (spouse) {
        const int age = children > 0 && male ? mother : headAge + (male ? -m_rng.range(0, 5) : m_rng.range(0, 5));
        Member &s = add(Role::Spouse, !male, std::max(20, age), m_surnames.pick(m_rng));
        s.marital = Marital::Married;
        out.front().marital = Marital::Married;
        if (male)
            motherAge = s.age;
        else
            childSurname = s.surname;
    } else {
        Member &h = out.front();
        const double v = m_rng.unit();
        if (children > 0)
            h.marital = v < 0.6 ? Marital::Divorced : Marital::Widowed;
        else if (h.age <= 40)
            h.marital = v < 0.85 ? Marital::Single : Marital::Divorced;
        else if (h.age < 65)
            h.marital = v < 0.5 ? Marital::Divorced : v < 0.7 ? Marital::Single : Marital::Widowed;
        else
            h.marital = v < 0.8 ? Marital::Widowed : v < 0.9 ? Marital::Divorced : Marital::Single;
        if (!male && children > 0 && m_rng.chance(0.5))
            childSurname = m_surnames.pick(m_rng);
    }

    if (threeGen) {
        const bool son = m_rng.chance(0.8);
        const int age = std::max(21, motherAge - m_rng.range(23, 32));
        Member &c = add(son ? Role::Son : Role::Daughter, son, age, childSurname);
        c.marital = Marital::Married;
        const int inLawAge = std::max(20, age + m_rng.range(-3, 3));
        Member &in = add(son ? Role::DaughterInLaw : Role::SonInLaw, !son, inLawAge, m_surnames.pick(m_rng));
        in.marital = Marital::Married;
        const std::string grandSurname = son ? out[out.size() - 2].surname : in.surname;
        const int mother = son ? inLawAge : age;
        const int first = mother - m_rng.range(23, 34);
        kids(Role::Grandson, Role::Granddaughter, first >= 0 ? first : m_rng.range(0, std::max(0, mother - 20)),
            size - static_cast<int>(out.size()), grandSurname);
    } else {
        kids(Role::Son, Role::Daughter, eldest, children, childSurname);
    }

    if (parents > 0) {
        const int fatherAge = std::min(100, headAge + m_rng.range(24, 34));
        const int mothersAge = std::min(100, fatherAge - m_rng.range(0, 4));
        const bool both = parents == 2;
        if (both || m_rng.chance(0.35)) {
            Member &f = add(Role::Father, true, fatherAge, headSurname);
            f.marital = both ? Marital::Married : Marital::Widowed;
        }
        if (both || out.back().role != Role::Father) {
            Member &m = add(Role::Mother, false, mothersAge, m_surnames.pick(m_rng));
            m.marital = both ? Marital::Married : Marital::Widowed;
        }
    }
    for (Member &m : out)
        m.name = personName(m.surname, m.male, civilFromDays(m.birth).y);
}

// Household-wide facts, moves, deaths, cancellations and relief subjects.
void Filler::settle(Household &h)
{
    Rng &r = m_rng;
    h.movedIn = kNone;
    h.origin = nullptr;
    bool migrant = false;
    if (r.chance(0.27)) {
        h.movedIn = m_today - r.range(30, 35 * 365);
        migrant = r.chance(0.65);
        h.origin = migrant ? &r.pick(Vocabulary::otherRegions()) : &Vocabulary::homeRegions()[r.range(1, 5)];
    }
    h.registeredElsewhere = migrant && r.chance(0.6);
    h.hktype = pk("hktype").pick(r);
    h.hkxingzhi = pk(h.registeredElsewhere ? "hkxingzhi:migrant" : "hkxingzhi:native").pick(r);
    h.hjstatus = h.registeredElsewhere ? m_elsewhere : pk("hjstatus").pick(r);
    h.zstype = pk("zstype").pick(r);
    h.poor = r.chance(0.025);
    h.military = r.chance(0.01);
    h.jjstatus = pk(h.poor ? "jjstatus:poor" : "jjstatus:normal").pick(r);
    h.income = h.poor ? r.range(50, 130) * 10.0 : std::max(1500.0, std::round(r.bell(5200, 1800) / 10) * 10);
    h.phone = r.chance(0.55) ? landline() : std::string();

    for (Member &m : h.members) {
        if (h.movedIn != kNone && m.birth < h.movedIn) {
            m.movedIn = h.movedIn;
            m.idRegion = m.role == Role::Spouse || m.role == Role::DaughterInLaw || m.role == Role::SonInLaw
                ? (r.chance(0.6) ? h.origin : &r.pick(Vocabulary::otherRegions()))
                : h.origin;
        } else {
            m.idRegion = &homeRegion();
        }
        m.id = identity(m);

        const int earliest = std::max(m.birth, m.movedIn == kNone ? m.birth : m.movedIn) + 1;
        const double death = m.age < 40 ? 0.0005 : m.age < 60 ? 0.004 : m.age < 70 ? 0.025 : m.age < 80 ? 0.07 : 0.16;
        if (r.chance(death) && earliest < m_today) {
            m.died = std::max(earliest, m_today - r.range(1, 8 * 365));
        } else if (m.role != Role::Head && r.chance(m.age >= 18 && m.age <= 45 ? 0.07 : 0.01)) {
            const int from = std::max(yearsAfter(m.birth, 16), earliest + 30);
            if (from < m_today - 1)
                m.movedOut = dateBetween(std::max(from, m_today - 10 * 365), m_today - 1);
        }
        if (m.died != kNone && r.chance(0.85)) {
            m.cancelled = std::min(m_today, m.died + r.range(3, 60));
            m.cancelReason = "死亡";
        } else if (m.movedOut != kNone && r.chance(0.6)) {
            m.cancelled = std::min(m_today, m.movedOut + r.range(0, 30));
            m.cancelReason = "迁出";
        } else if (m.died == kNone && m.movedOut == kNone && m.age >= 18 && r.chance(0.004)) {
            static const char *const reasons[] = { "参军", "出国定居", "重复登记", "其他" };
            m.cancelled = dateBetween(std::max(yearsAfter(m.birth, 18), m_today - 3000), m_today - 1);
            m.cancelReason = reasons[r.below(4)];
        }
        if (!m.active())
            continue;
        m.db = h.poor && r.chance(0.7);
        m.sy = m.age >= 18 && m.age <= 59 && r.chance(0.03);
        m.yf = (h.military && m.age >= 18 && r.chance(0.4)) || (m.male && m.age >= 45 && r.chance(0.012));
        m.ll = m.age >= 22 && m.age <= 60 && r.chance(m.male ? 0.005 : 0.0005);
        m.ln = m.age >= 60 && r.chance(0.75);
        m.cj = r.chance(m.age < 18 ? 0.005 : m.age < 60 ? 0.015 : m.age < 80 ? 0.04 : 0.08);
        m.tx = m.age >= 18 && r.chance(0.12);
    }
}

bool Filler::writeHousehold(Household &h)
{
    const Member &head = h.members.front();
    int z = 0, n = 0, f = 0;
    bool yf = false;
    for (const Member &m : h.members)
        if (m.active()) {
            ++z;
            (m.male ? n : f)++;
            yf = yf || m.yf;
        }
    h.familyCode.clear();
    if (head.active() && m_rng.chance(0.65)) {
        h.familyCode = padded(m_nextFamily++, 8);
        Inserter &j = m_family;
        j.text(J::code, h.familyCode);
        j.text(J::hk, h.booklet);
        j.text(J::head, head.name);
        j.text(J::ld, h.building);
        j.text(J::hs, h.room);
        j.text(J::hj, h.hjstatus);
        j.text(J::address, h.address);
        j.text(J::phone, h.phone);
        j.integer(J::z, z);
        j.integer(J::n, n);
        j.integer(J::f, f);
        j.real(J::income, h.income);
        j.text(J::jj, h.jjstatus);
        j.text(J::zs, h.zstype);
        j.flag(J::js, h.military);
        j.flag(J::db, h.poor);
        j.flag(J::yf, yf);
        if (!j.insert())
            return false;
        ++m_totals.families;
        // The family editor's copy into its members.
        for (Member &m : h.members)
            if (m.active()) {
                m.db = h.poor;
                m.yf = m.yf || yf;
            }
    }
    for (Member &m : h.members) {
        const long long mainID = m_nextMainID++;
        if (!writePerson(h, m, mainID))
            return false;
        if (m_rng.chance(0.2) && !writeChanges(h, m, mainID))
            return false;
        if (m.active() && m_rng.chance(0.02) && !writeReminder(h, m, mainID))
            return false;
    }
    ++m_totals.households;
    return true;
}

bool Filler::writePerson(const Household &h, Member &m, long long mainID)
{
    Rng &r = m_rng;
    Inserter &p = m_person;
    const Member &head = h.members.front();
    const Civil born = civilFromDays(m.birth);
    const bool family = !h.familyCode.empty() && m.active();

    p.integer(P::F_mainID, mainID);
    p.text(P::F_Code, padded(mainID, 8));
    p.text(P::F_Name, m.name);
    p.text(P::F_HKtype, h.hktype);
    p.text(P::F_LDcode, h.building);
    p.text(P::F_HScode, h.room);
    if (m.age >= 18 && r.chance(0.02))
        p.text(P::F_ZYname, personName(m.surname, m.male, born.y - 40));
    p.text(P::F_HZname, head.name);
    p.text(P::F_HZguanxi, m_relation[m.role]);
    p.text(P::F_SFZcode, m.id);
    if (m.age >= 16 || r.chance(0.35)) {
        const int issued = std::max(m.age >= 16 ? yearsAfter(m.birth, 16) : m.birth + 30, m_today - r.range(0, 3650));
        p.text(P::F_QFwork, policeOffice(*m.idRegion));
        p.date(P::F_QFdate, std::min(issued, m_today));
    }
    p.date(P::F_CSdate, m.birth);
    p.text(P::F_CSaddress, fullName(*m.idRegion));
    p.text(P::F_sex, m.male ? "男" : "女");
    if (m.age >= 18)
        p.text(P::F_SG, std::to_string(static_cast<int>(m.male ? r.bell(171, 5.5) : r.bell(159, 5))));
    p.text(P::F_XX, pk("xx").pick(r));
    p.text(P::F_JKmem,
        m.cj ? m_disabled
             : pk(m.age < 18      ? "jkmem:child"
                     : m.age < 65 ? "jkmem:adult"
                                  : "jkmem:elderly")
                   .pick(r));
    p.text(P::F_HJaddress, h.registeredElsewhere && m.movedIn != kNone ? elsewhere(*h.origin) : h.address);
    p.text(P::F_MinZu, pk("minzu").pick(r));
    if (m.movedIn != kNone && h.origin->city != "北京市")
        p.text(P::F_JGaddress, h.origin->province + h.origin->city);
    else
        p.text(
            P::F_JGaddress, r.chance(0.7) ? std::string("北京市") : [&] {
                const Region &o = r.pick(Vocabulary::otherRegions());
                return o.province + o.city;
            }());
    p.text(P::F_ZZaddress, h.address);

    const char *edu = m.age < 6 ? "whchengdu:preschool"
        : m.age < 12            ? "whchengdu:primary"
        : m.age < 15            ? "whchengdu:junior"
        : m.age < 18            ? "whchengdu:senior"
        : m.age < 23            ? "whchengdu:college"
        : m.age < 60            ? "whchengdu:adult"
                                : "whchengdu:elderly";
    if (m.age >= 3)
        p.text(P::F_WHchengdu, pk(edu).pick(r));
    p.text(P::F_HYmem, m_marital[m.marital]);
    if (m.age >= 18)
        p.text(P::F_BYmem, pk(m.male ? "bymem:man" : "bymem:woman").pick(r));
    p.text(P::F_ZJxinyang, pk("zjxinyang").pick(r));
    if (m.age >= 6)
        p.text(P::F_ZZmianmao,
            pk(m.age < 14        ? "zzmianmao:child"
                    : m.age < 28 ? "zzmianmao:youth"
                    : m.age < 60 ? "zzmianmao:adult"
                                 : "zzmianmao:elderly")
                .pick(r));
    const int retireAge = m.male ? 60 : 55;
    std::string work;
    if (m.age >= 6 && (m.age < 18 || (m.age < 23 && r.chance(0.75)))) {
        work = pk("work:student").pick(r);
        p.text(P::F_workAddress, r.pick(Vocabulary::schools(m.age < 12 ? 0 : m.age < 18 ? 1 : 2)));
    } else if (m.age >= 18 && m.age < retireAge) {
        work = pk("work:adult").pick(r);
        if (work.find("无业") == std::string::npos)
            p.text(P::F_workAddress, r.pick(Vocabulary::employers()));
    } else if (m.age >= retireAge) {
        work = pk("work:retired").pick(r);
    }
    p.text(P::F_work, work);
    p.text(P::F_HKxingzhi, h.hkxingzhi);
    p.flag(P::F_JSflag, h.military);

    // Registration: the office keyed in its paper register in the first two
    // years; later arrivals and births are registered when they come.
    const int regStart = std::max({ m_systemStart, m.birth, m.movedIn == kNone ? INT_MIN : m.movedIn });
    int registered = regStart == m_systemStart && r.chance(0.55) ? dateBetween(m_systemStart, m_systemStart + 600)
                                                                 : dateBetween(regStart, m_today);
    p.date(P::F_editDate, std::min(registered, m_today));

    if (m.movedIn != kNone) {
        p.flag(P::F_QRflag, true);
        p.date(P::F_QRdate, m.movedIn);
        p.text(P::F_OLDaddress, elsewhere(*h.origin));
        p.text(P::F_QRtype, pk("qrtype:in").pick(r));
        static const char *const reasons[] = { "购买住房", "工作需要", "随迁" };
        p.text(P::F_QRreason,
            m.role == Role::Father || m.role == Role::Mother            ? "投靠子女"
                : m.role == Role::Spouse && m.age < 40 && r.chance(0.4) ? "结婚"
                                                                        : reasons[r.below(3)]);
    }
    if (m.movedOut != kNone) {
        p.flag(P::F_QCflag, true);
        p.date(P::F_QCdate, m.movedOut);
        p.text(P::F_NewAddress,
            elsewhere(r.chance(0.5) ? r.pick(Vocabulary::otherRegions()) : Vocabulary::homeRegions()[r.range(1, 5)]));
        p.text(P::F_QCtype, pk(m_codes.count("qctype") ? "qctype:out" : "qrtype:out").pick(r));
        static const char *const reasons[] = { "工作调动", "购房", "结婚", "升学", "投靠亲属" };
        p.text(P::F_QCreason, reasons[r.below(5)]);
    }
    if (m.died != kNone) {
        p.flag(P::F_WGflag, true);
        p.date(P::F_SWdate, m.died);
        const double v = r.unit();
        p.text(P::F_SWreason, v < 0.7 ? "病故" : v < 0.9 ? "自然死亡" : "意外");
    }
    if (m.cancelled != kNone) {
        p.flag(P::F_ZXflag, true);
        p.text(P::F_ZXdate, dateText(m.cancelled));
        p.text(P::F_ZXreason, m.cancelReason);
    }

    p.text(P::F_HKcode, h.booklet);
    p.text(P::F_HJstatus, h.hjstatus);
    p.text(P::F_JTphone, h.phone);
    p.real(P::F_SRprice, h.income);
    p.text(P::F_JJstatus, h.jjstatus);
    p.text(P::F_ZStype, h.zstype);
    if (family) {
        int z = 0, n = 0;
        for (const Member &o : h.members)
            if (o.active()) {
                ++z;
                n += o.male ? 1 : 0;
            }
        p.text(P::F_JTcode, h.familyCode);
        p.text(P::F_JTaddress, h.address);
        p.integer(P::F_Znum, z);
        p.integer(P::F_Nnum, n);
        p.integer(P::F_Fnum, z - n);
    }

    if (m.db) {
        const int from = m_today - r.range(30, 2500);
        p.flag(P::F_DBflag, true);
        p.text(P::F_DBZcode, "DB" + std::to_string(civilFromDays(from).y) + padded(m_dbSerial++, 6));
        p.text(P::F_DBreason, pk("dbreason").pick(r));
        p.real(P::F_BZprice, r.range(50, 140) * 10.0);
        p.date(P::F_DBfromDate, from);
        p.date(P::F_DBtoDate, yearsAfter(from, r.chance(0.7) ? 1 : 3));
        p.text(P::F_memo3, "");
    }
    if (m.sy) {
        const int since = m_today - r.range(30, 1000);
        const bool paid = r.chance(0.5);
        p.flag(P::F_SYflag, true);
        p.date(P::F_SYdate, since);
        p.text(P::F_SYZcode, "SY" + digits(r, 8));
        p.text(P::F_OLDwork, pk("work:adult").pick(r));
        p.text(P::F_OLDunit, r.pick(Vocabulary::employers()));
        p.text(P::F_JYstatus, pk("jystatus:unemployed").pick(r));
        p.flag(P::F_XSflag, paid);
        p.date(P::F_XStoDate, paid ? yearsAfter(since, 2) : kNone);
        p.flag(P::F_YBLflag, m.db);
        static const char *const wishes[] = { "行政文员", "物业保安", "家政服务", "餐饮服务", "快递配送", "不限" };
        p.text(P::F_QZmem, wishes[r.below(6)]);
        p.real(P::F_YQprice, r.range(6, 16) * 500.0);
        p.text(P::F_memo4, "");
    }
    if (m.yf) {
        p.flag(P::F_YFflag, true);
        p.text(P::F_YFZcode, "YF" + digits(r, 7));
        p.text(P::F_YFtype, h.military ? label("yftype", { "现役军人家属", "军属" }) : pk("yftype").pick(r));
        p.text(P::F_LDnengli, pk("ldnengli").pick(r));
        p.text(P::F_SHnengli, pk("shnengli").pick(r));
        p.text(P::F_YFJYstatus, pk("jystatus").pick(r));
        p.real(P::F_YFprice, r.range(0, 30) * 100.0);
        p.text(P::F_GYstatus, pk("gystatus").pick(r));
        p.text(P::F_memo5, "");
    }
    if (m.ll) {
        const int released = m_today - r.range(60, 3650);
        const bool placed = r.chance(0.7);
        p.flag(P::F_LLflag, true);
        p.date(P::F_CYdate, released);
        p.text(P::F_LJaddress, r.pick(Vocabulary::prisons()));
        p.text(P::F_xingQI, std::to_string(r.range(1, 8)) + "年" + (r.chance(0.3) ? "6个月" : ""));
        p.text(P::F_AYreason, r.pick(Vocabulary::offences()));
        p.flag(P::F_LFflag, r.chance(0.08));
        p.text(P::F_LOLDwork, pk("work:adult").pick(r));
        p.text(P::F_Xaddress, h.address);
        p.date(P::F_AZdate, placed ? std::min(m_today, released + r.range(30, 365)) : kNone);
        p.text(P::F_WAZreason, placed ? std::string() : pk("wazreason").pick(r));
        p.text(P::F_memo6, "");
    }
    if (m.ln) {
        bool spouse = false, children = false;
        for (const Member &o : h.members) {
            if (&o == &m || !o.active())
                continue;
            const bool couple = (m.role == Role::Head && o.role == Role::Spouse)
                || (m.role == Role::Spouse && o.role == Role::Head)
                || (m.role == Role::Father && o.role == Role::Mother)
                || (m.role == Role::Mother && o.role == Role::Father);
            spouse = spouse || couple;
            children = children || !couple;
        }
        const bool alone = !spouse && !children;
        p.flag(P::F_LNflag, true);
        p.text(P::F_workTime, std::to_string(born.y + r.range(17, 24)) + "年");
        const int retired = born.y + retireAge;
        if (retired <= m_todayCivil.y)
            p.text(P::F_LTtime, std::to_string(retired) + "年");
        p.real(P::F_LTprice, r.range(25, 90) * 100.0);
        p.text(P::F_JZmem, alone ? m_jz[0] : spouse && children ? m_jz[3] : spouse ? m_jz[1] : m_jz[2]);
        p.text(P::F_LTmem, r.pick(Vocabulary::employers()) + " 职工");
        p.text(P::F_POmem,
            m.marital == Marital::Married        ? m_po[0]
                : m.marital == Marital::Widowed  ? m_po[1]
                : m.marital == Marital::Divorced ? m_po[2]
                                                 : m_po[3]);
        p.text(P::F_MTmem, pk("mtmem").pick(r));
        p.text(P::F_JJlaiyuan, pk("jjlaiyuan").pick(r));
        p.text(P::F_TSmem, alone ? m_ts[0] : !children ? m_ts[1] : m.age >= 80 ? m_ts[2] : std::string());
        p.text(P::F_memo7, "");
    }
    if (m.cj) {
        const std::string &kind = pk("cjstatus").pick(r);
        static const char *const order[] = { "视力", "听力", "言语", "肢体", "智力", "精神", "多重" };
        int category = 4;
        for (int i = 0; i < 7; ++i)
            if (kind.find(order[i]) != std::string::npos)
                category = i + 1;
        const int grade = 1 + static_cast<int>(r.below(10) >= 1) + static_cast<int>(r.below(10) >= 3)
            + static_cast<int>(r.below(10) >= 6);
        std::string guardian;
        for (const Member &o : h.members)
            if (&o != &m && o.active() && o.age >= 18) {
                guardian = o.name;
                break;
            }
        p.flag(P::F_CJflag, true);
        p.text(P::F_CJZcode, m.id + std::to_string(category) + std::to_string(grade));
        p.text(P::F_CJstatus, kind);
        p.text(P::F_JHempName, guardian);
        p.text(P::F_CJLDnengLI, pk("ldnengli").pick(r));
        p.text(P::F_JNtechang, pk("jntechang").pick(r));
        p.text(P::F_memo8, "");
    }
    if (m.tx) {
        const std::string qq = std::to_string(r.range(10000, 99999)) + digits(r, r.range(0, 5));
        p.flag(P::F_TXflag, true);
        p.text(P::F_TXhandphone, mobile());
        p.text(P::F_TXphone, h.phone);
        p.text(P::F_TXworkPhone, r.chance(0.2) ? landline() : std::string());
        p.text(P::F_TXfax, "");
        const bool hasQQ = r.chance(0.3);
        p.text(P::F_TXqq, hasQQ ? qq : std::string());
        p.text(P::F_TXemail, r.chance(0.25) ? qq + (hasQQ ? "@qq.com" : "@163.com") : std::string());
    }
    if (!p.insert())
        return false;
    ++m_totals.persons;
    return true;
}

bool Filler::writeChanges(const Household &h, const Member &m, long long mainID)
{
    Rng &r = m_rng;
    struct Change
    {
        int type;
        int date;
        std::string before, after;
    };
    std::vector<Change> possible;
    const int since = std::max(m.birth, m_systemStart);
    if (m.movedIn != kNone)
        possible.push_back({ 0, m.movedIn, elsewhere(*h.origin), h.address });
    if (m.movedOut != kNone)
        possible.push_back({ 1, m.movedOut, h.address, "迁往外地" });
    if (m.died != kNone)
        possible.push_back({ 2, m.died, "正常", "死亡" });
    if (m.birth >= m_systemStart)
        possible.push_back({ 3, std::min(m_today, m.birth + r.range(10, 60)), "", "出生登记" });
    if (m.marital == Marital::Married)
        possible.push_back({ 4, dateBetween(since, m_today), m_marital[Marital::Single], m_marital[Marital::Married] });
    if (m.age >= 18 && m.age <= 30)
        possible.push_back({ 5, dateBetween(since, m_today), "高中", "大专" });
    possible.push_back({ 6, dateBetween(since, m_today),
        Vocabulary::compound() + std::to_string(r.range(1, 60)) + "栋"
            + std::to_string(r.range(1, 6) * 100 + r.range(1, 4)) + "室",
        h.address });
    if (m.role == Role::Head && h.members.size() > 1)
        possible.push_back({ 8, dateBetween(since, m_today), h.members[1].name, m.name });
    const int count = std::min(static_cast<int>(possible.size()), r.chance(0.75) ? 1 : r.chance(0.8) ? 2 : 3);
    for (int i = 0; i < count; ++i) {
        std::swap(possible[i], possible[i + r.below(static_cast<std::uint32_t>(possible.size() - i))]);
        const Change &c = possible[i];
        Inserter &b = m_change;
        b.integer(B::mainID, mainID);
        b.date(B::date, c.date);
        b.text(B::type, m_bg[c.type]);
        b.text(B::before, c.before);
        b.text(B::after, c.after);
        b.text(B::emp, pk("empname").pick(r));
        b.date(B::edit, std::min(m_today, std::max(c.date, m_systemStart) + r.range(0, 5)));
        if (!b.insert())
            return false;
        ++m_totals.changes;
    }
    return true;
}

bool Filler::writeReminder(const Household &h, const Member &m, long long mainID)
{
    Rng &r = m_rng;
    const int due = m_today + r.range(-60, 60);
    // The subject follows from who the person is, as the office would note it.
    const std::string caption = m.db ? label("txcaption", { "低保复核", "低保年审" })
        : m.age >= 80                ? label("txcaption", { "高龄津贴申领", "高龄老人慰问" })
        : m.cj                       ? label("txcaption", { "残疾证年审", "残疾人证复核" })
        : m.yf                       ? label("txcaption", { "优抚金发放", "退役军人慰问" })
                                     : pk("txcaption:general").pick(r);
    char time[10];
    std::snprintf(time, sizeof time, " %02d:%02d:%02d", r.range(8, 17), r.range(0, 59), r.range(0, 59));
    Inserter &t = m_reminder;
    t.integer(T::mainID, mainID);
    t.date(T::date, due);
    t.text(T::time, pk("awoketime").pick(r));
    t.text(T::caption, caption);
    t.text(T::memo, "联系" + m.name + "（" + h.building + h.room + "室）：" + caption);
    t.text(T::oper, "admin");
    t.text(T::edit, dateText(std::min(m_today, due - r.range(1, 45))) + time);
    if (!t.insert())
        return false;
    ++m_totals.reminders;
    return true;
}

bool exec(sqlite3 *db, const std::string &sql, QString *error)
{
    char *msg = nullptr;
    if (sqlite3_exec(db, sql.c_str(), nullptr, nullptr, &msg) == SQLITE_OK)
        return true;
    if (error)
        *error = QString::fromUtf8(msg ? msg : sqlite3_errmsg(db));
    sqlite3_free(msg);
    return false;
}

bool Filler::run(sqlite3 *db, QString *error)
{
    sqlite3_stmt *st = nullptr;
    bool empty = false;
    if (sqlite3_prepare_v2(db, "SELECT count(*) FROM ZuZav", -1, &st, nullptr) == SQLITE_OK
        && sqlite3_step(st) == SQLITE_ROW)
        empty = sqlite3_column_int64(st, 0) == 0;
    sqlite3_finalize(st);
    if (!empty) {
        if (error)
            *error = QStringLiteral("数据库已有户口记录，或不是本程序的数据库");
        return false;
    }
    if (!loadCodes(db, error))
        return false;

    // Speed only while filling a file nobody else has open: no journal, no sync,
    // and indexes built once at the end from sorted keys instead of row by row.
    if (!exec(db,
            "PRAGMA journal_mode=OFF; PRAGMA synchronous=OFF; PRAGMA locking_mode=EXCLUSIVE;"
            "PRAGMA cache_size=-262144; PRAGMA temp_store=MEMORY; PRAGMA threads=2",
            error))
        return false;
    std::vector<std::string> indexes;
    if (sqlite3_prepare_v2(db,
            "SELECT name, sql FROM sqlite_master WHERE type='index' AND sql IS NOT NULL AND "
            "lower(tbl_name) IN ('zuzav','t_bgrec','t_txrec','t_jtinfo')",
            -1, &st, nullptr)
        != SQLITE_OK) {
        if (error)
            *error = QString::fromUtf8(sqlite3_errmsg(db));
        return false;
    }
    std::vector<std::string> drops;
    while (sqlite3_step(st) == SQLITE_ROW) {
        drops.push_back(
            "DROP INDEX \"" + std::string(reinterpret_cast<const char *>(sqlite3_column_text(st, 0))) + "\"");
        indexes.emplace_back(reinterpret_cast<const char *>(sqlite3_column_text(st, 1)));
    }
    sqlite3_finalize(st);

    if (!exec(db, "BEGIN", error))
        return false;
    for (const std::string &d : drops)
        if (!exec(db, d, error))
            return false;
    if (!m_person.prepare(db, "ZuZav", P::columns, error) || !m_family.prepare(db, "t_JTinfo", J::columns, error)
        || !m_change.prepare(db, "t_BGrec", B::columns, error) || !m_reminder.prepare(db, "t_TXrec", T::columns, error))
        return false;

    m_ids.reserve(static_cast<std::size_t>(m_opt.count) * 2);
    const Picker sizes(kSizes, {}, false);
    Household h;
    while (m_totals.persons < m_opt.count) {
        const int size
            = static_cast<int>(std::min<long long>(std::stoi(sizes.pick(m_rng)), m_opt.count - m_totals.persons));
        nextRoom(h);
        h.booklet = padded(m_totals.households + 1, 9);
        compose(size, h.members);
        settle(h);
        if (!writeHousehold(h)) {
            if (error)
                *error = QString::fromUtf8(sqlite3_errmsg(db));
            return false;
        }
    }
    for (const std::string &sql : indexes)
        if (!exec(db, sql, error))
            return false;
    return exec(db, "COMMIT", error) && exec(db, "ANALYZE", error)
        && exec(db, "PRAGMA journal_mode=DELETE; PRAGMA synchronous=FULL; PRAGMA locking_mode=NORMAL", error);
}

} // namespace

RegisterGenerator::RegisterGenerator(const Options &options)
    : m_options(options)
{
}

bool RegisterGenerator::fill(const QString &path, QString *error)
{
    m_totals = {};
    if (m_options.count < 0 || !m_options.today.isValid()) {
        if (error)
            *error = QStringLiteral("参数无效");
        return false;
    }
    sqlite3 *db = nullptr;
    if (sqlite3_open_v2(QFile::encodeName(path).constData(), &db, SQLITE_OPEN_READWRITE, nullptr) != SQLITE_OK) {
        if (error)
            *error = QString::fromUtf8(db ? sqlite3_errmsg(db) : "open");
        sqlite3_close(db);
        return false;
    }
    bool ok = false;
    {
        // Its statements must be finalized before the connection closes.
        Filler filler(m_options, m_totals);
        ok = filler.run(db, error);
    }
    if (!ok)
        sqlite3_exec(db, "ROLLBACK", nullptr, nullptr, nullptr);
    sqlite3_close(db);
    return ok;
}
