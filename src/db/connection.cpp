#include "db/connection.h"

#include "core/cp1250.h"

#include <QDate>
#include <QDateTime>
#include <mysql.h>

namespace db {

namespace {

FieldKind kindOf(const MYSQL_FIELD& f) {
    switch (f.type) {
    case MYSQL_TYPE_TINY:
    case MYSQL_TYPE_SHORT:
    case MYSQL_TYPE_LONG:
    case MYSQL_TYPE_LONGLONG:
    case MYSQL_TYPE_INT24:
    case MYSQL_TYPE_YEAR: return FieldKind::Integer;
    case MYSQL_TYPE_DECIMAL:
    case MYSQL_TYPE_NEWDECIMAL:
    case MYSQL_TYPE_FLOAT:
    case MYSQL_TYPE_DOUBLE: return FieldKind::Decimal;
    case MYSQL_TYPE_DATE:
    case MYSQL_TYPE_NEWDATE: return FieldKind::Date;
    case MYSQL_TYPE_DATETIME:
    case MYSQL_TYPE_TIMESTAMP: return FieldKind::DateTime;
    case MYSQL_TYPE_VARCHAR:
    case MYSQL_TYPE_VAR_STRING:
    case MYSQL_TYPE_STRING:
    case MYSQL_TYPE_TINY_BLOB:
    case MYSQL_TYPE_MEDIUM_BLOB:
    case MYSQL_TYPE_LONG_BLOB:
    case MYSQL_TYPE_BLOB: return f.charsetnr == 63 ? FieldKind::Other : FieldKind::Text;
    default: return FieldKind::Other;
    }
}

QVariant convert(FieldKind kind, const char* data, unsigned long len) {
    if (!data) return QVariant();
    const QByteArray raw(data, qsizetype(len));
    switch (kind) {
    case FieldKind::Integer: return QVariant(raw.toLongLong());
    case FieldKind::Decimal: return QVariant(raw.toDouble());
    case FieldKind::Date: {
        const QDate d = QDate::fromString(QString::fromLatin1(raw), "yyyy-MM-dd");
        return d.isValid() ? QVariant(d) : QVariant(QMetaType(QMetaType::QDate));
    }
    case FieldKind::DateTime: {
        // A document's lines share one date: building a local date-time costs a time-zone look-up,
        // so the last one is reused.
        static thread_local QByteArray lastRaw;
        static thread_local QVariant lastValue;
        if (raw == lastRaw) return lastValue;
        QDateTime dt = QDateTime::fromString(QString::fromLatin1(raw.left(19)), "yyyy-MM-dd hh:mm:ss");
        lastRaw = raw;
        lastValue = dt.isValid() ? QVariant(dt) : QVariant(QMetaType(QMetaType::QDateTime));
        return lastValue;
    }
    case FieldKind::Text: return QVariant(core::fromCp1250(raw));
    case FieldKind::Other: return QVariant(raw);
    }
    return {};
}

} // namespace

Connection::Connection() = default;

Connection::~Connection() { close(); }

void Connection::open(const ConnectionParams& params) {
    close();
    params_ = params;
    MYSQL* h = mysql_init(nullptr);
    if (!h) throw Error(2008, "MySQL client ran out of memory");
    const unsigned timeout = unsigned(params.connectTimeout);
    mysql_options(h, MYSQL_OPT_CONNECT_TIMEOUT, &timeout);
    mysql_options(h, MYSQL_OPT_COMPRESS, nullptr);
    mysql_options(h, MYSQL_SET_CHARSET_NAME, "cp1250");
    const QByteArray host = params.host.toUtf8(), user = core::toCp1250(params.user),
                     pass = core::toCp1250(params.password), dbname = core::toCp1250(params.database),
                     sock = params.socket.toUtf8();
    trace_.record(QString("connect %1@%2:%3/%4")
                      .arg(params.user, params.socket.isEmpty() ? params.host : params.socket,
                           QString::number(params.port), params.database));
    if (!mysql_real_connect(h, params.socket.isEmpty() ? host.constData() : nullptr, user.constData(), pass.constData(),
                            dbname.isEmpty() ? nullptr : dbname.constData(), unsigned(params.port),
                            params.socket.isEmpty() ? nullptr : sock.constData(), 0)) {
        const unsigned no = mysql_errno(h);
        const QString text = core::fromCp1250(mysql_error(h));
        mysql_close(h);
        throw Error(no, text, "connect");
    }
    handle_ = h;
}

void Connection::close() {
    if (handle_) {
        mysql_close(handle_);
        handle_ = nullptr;
    }
}

void Connection::fail(const QString& statement) {
    if (!handle_) throw Error(2006, "Not connected to the database server", statement);
    throw Error(mysql_errno(handle_), core::fromCp1250(mysql_error(handle_)), statement);
}

void Connection::run(const QString& statement) {
    trace_.record(statement);
    if (!handle_) fail(statement);
    const QByteArray bytes = core::toCp1250(statement);
    if (mysql_real_query(handle_, bytes.constData(), static_cast<unsigned long>(bytes.size())) != 0) fail(statement);
}

// A CALL answers with several results (those of its selects and a status); the connection takes
// the next statement only once all of them are read.
void Connection::drainResults(const QString& statement) {
    while (mysql_more_results(handle_)) {
        const int r = mysql_next_result(handle_);
        if (r > 0) fail(statement);
        if (r < 0) break;
        if (MYSQL_RES* res = mysql_store_result(handle_)) mysql_free_result(res);
    }
}

void Connection::exec(const QString& statement) {
    run(statement);
    if (MYSQL_RES* res = mysql_store_result(handle_)) {
        mysql_free_result(res);
        affected_ = 0;
    } else {
        if (mysql_field_count(handle_) != 0) fail(statement);
        affected_ = mysql_affected_rows(handle_);
    }
    drainResults(statement);
}

ResultSet Connection::query(const QString& statement) {
    run(statement);
    ResultSet rs;
    MYSQL_RES* res = mysql_store_result(handle_);
    if (!res) {
        if (mysql_field_count(handle_) != 0) fail(statement);
        affected_ = mysql_affected_rows(handle_);
        drainResults(statement);
        return rs;
    }
    const unsigned n = mysql_num_fields(res);
    MYSQL_FIELD* fs = mysql_fetch_fields(res);
    rs.fields.reserve(int(n));
    for (unsigned i = 0; i < n; ++i) {
        Field f;
        f.name = core::fromCp1250(QByteArray(fs[i].name, fs[i].name_length));
        f.kind = kindOf(fs[i]);
        f.decimals = int(fs[i].decimals);
        // Lengths are in bytes of the connection's single-byte charset: characters.
        f.length = int(fs[i].length);
        f.autoIncrement = (fs[i].flags & AUTO_INCREMENT_FLAG) != 0;
        f.notNull = (fs[i].flags & NOT_NULL_FLAG) != 0;
        rs.fields.push_back(f);
    }
    rs.rows.reserve(qsizetype(mysql_num_rows(res)));
    while (MYSQL_ROW row = mysql_fetch_row(res)) {
        unsigned long* lens = mysql_fetch_lengths(res);
        Row r(static_cast<qsizetype>(n));
        for (unsigned i = 0; i < n; ++i) r[int(i)] = convert(rs.fields[int(i)].kind, row[i], lens[i]);
        rs.rows.push_back(std::move(r));
    }
    mysql_free_result(res);
    affected_ = rs.rows.size();
    drainResults(statement);
    return rs;
}

bool Connection::succeeds(const QString& statement) {
    try {
        query(statement);
        return true;
    } catch (const Error&) {
        return false;
    }
}

unsigned long long Connection::lastInsertId() { return handle_ ? mysql_insert_id(handle_) : 0; }

unsigned long Connection::threadId() const { return handle_ ? mysql_thread_id(handle_) : 0; }

void Connection::rollback() {
    try {
        exec("rollback");
    } catch (const Error&) {
        // The connection may be gone; the server rolls back itself then.
    }
}

} // namespace db
