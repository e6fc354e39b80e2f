#include "db/ResultSet.h"

#include "util/Erro.h"

#include <mysql.h>

#include <algorithm>
#include <charconv>
#include <cstring>
#include <limits>
#include <stdexcept>
#include <utility>

namespace {

TipoCampo tipoDoServidor(enum_field_types tipo) {
    switch (tipo) {
    case MYSQL_TYPE_TINY:
    case MYSQL_TYPE_SHORT:
    case MYSQL_TYPE_LONG:
    case MYSQL_TYPE_INT24:
    case MYSQL_TYPE_YEAR:
        return TipoCampo::Inteiro;
    case MYSQL_TYPE_LONGLONG:
        return TipoCampo::InteiroLongo;
    case MYSQL_TYPE_DECIMAL:
    case MYSQL_TYPE_NEWDECIMAL:
        return TipoCampo::Decimal;
    case MYSQL_TYPE_FLOAT:
    case MYSQL_TYPE_DOUBLE:
        return TipoCampo::Real;
    case MYSQL_TYPE_DATE:
    case MYSQL_TYPE_NEWDATE:
        return TipoCampo::Data;
    case MYSQL_TYPE_DATETIME:
    case MYSQL_TYPE_TIMESTAMP:
        return TipoCampo::DataHora;
    case MYSQL_TYPE_TIME:
        return TipoCampo::Hora;
    default:
        return TipoCampo::Texto;
    }
}

// Characters for text, digits for numbers: the server gives bytes in the connection's character set.
int tamanhoDoCampo(const MYSQL_FIELD &f) {
    if (tipoDoServidor(f.type) != TipoCampo::Texto || f.charsetnr == 63)
        return int(f.length);
    const MARIADB_CHARSET_INFO *cs = mariadb_get_charset_by_nr(f.charsetnr);
    const unsigned porCaractere = cs && cs->char_maxlen > 0 ? cs->char_maxlen : 1;
    return int(f.length / porCaractere);
}

[[noreturn]] void naoNumerico(const char *dados, int tamanho, const char *tipo) {
    throw Erro(QStringLiteral("'%1' não é um valor %2 válido.")
                   .arg(QString::fromUtf8(dados, tamanho), QString::fromUtf8(tipo)));
}

// The cell as a number; NULL, empty and blanks read 0.
template <typename T> T numero(const char *dados, int tamanho, const char *tipo) {
    const char *p = dados;
    const char *fim = dados + std::max(tamanho, 0);
    while (p < fim && *p == ' ')
        ++p;
    while (fim > p && fim[-1] == ' ')
        --fim;
    if (p == fim)
        return T{};
    if (*p == '+')
        ++p;
    T n{};
    const auto [resto, erro] = std::from_chars(p, fim, n);
    if (erro == std::errc() && resto == fim)
        return n;
    if constexpr (std::is_integral_v<T>) {
        // A decimal value read as a whole number rounds, as a float field read as an integer does.
        double d = 0;
        const auto [r, e] = std::from_chars(p, fim, d);
        if (e == std::errc() && r == fim && std::abs(d) < double(std::numeric_limits<T>::max()))
            return T(std::llround(d));
    }
    naoNumerico(dados, tamanho, tipo);
}

int doisDigitos(const char *p) {
    return (p[0] - '0') * 10 + (p[1] - '0');
}

bool digitos(const char *p, int n) {
    for (int i = 0; i < n; ++i)
        if (p[i] < '0' || p[i] > '9')
            return false;
    return true;
}

// 'yyyy-mm-dd' at the start of the cell; the zero date and anything else read as an invalid date.
QDate dataDe(const char *p, int tamanho) {
    if (tamanho < 10 || !digitos(p, 4) || p[4] != '-' || !digitos(p + 5, 2) || p[7] != '-' ||
        !digitos(p + 8, 2))
        return {};
    return QDate(doisDigitos(p) * 100 + doisDigitos(p + 2), doisDigitos(p + 5), doisDigitos(p + 8));
}

// 'hh:mm:ss' at p, fractions of a second ignored.
QTime horaDe(const char *p, int tamanho) {
    if (tamanho < 8 || !digitos(p, 2) || p[2] != ':' || !digitos(p + 3, 2) || p[5] != ':' ||
        !digitos(p + 6, 2))
        return QTime(0, 0);
    return QTime(doisDigitos(p), doisDigitos(p + 3), doisDigitos(p + 6));
}

} // namespace

QString Valor::texto() const {
    return nulo() ? QString() : QString::fromUtf8(dados_, tamanho_);
}

int Valor::inteiro() const {
    return numero<int>(dados_, tamanho_, "inteiro");
}

qint64 Valor::inteiroLongo() const {
    return numero<qint64>(dados_, tamanho_, "inteiro");
}

double Valor::real() const {
    return numero<double>(dados_, tamanho_, "numérico");
}

Money Valor::dinheiro() const {
    // Decimal text converts exactly: digits to ten-thousandths, the fifth decimal rounds half away from zero.
    const char *p = dados_;
    const char *fim = dados_ + std::max(tamanho_, 0);
    const bool negativo = p < fim && *p == '-';
    if (p < fim && (*p == '-' || *p == '+'))
        ++p;
    const char *inteiros = p;
    while (p < fim && *p >= '0' && *p <= '9')
        ++p;
    const QLatin1String inteiro(inteiros, p);
    QLatin1String fracao;
    if (p < fim && *p == '.') {
        const char *casas = ++p;
        while (p < fim && *p >= '0' && *p <= '9')
            ++p;
        fracao = QLatin1String(casas, p);
    }
    // Exponents, blanks, NULL and empty cells go the general way.
    if ((inteiro.isEmpty() && fracao.isEmpty()) || p != fim)
        return Money::deDouble(real());
    if (const auto valor = Money::deDigitos(negativo, inteiro, fracao))
        return *valor;
    Money::foraDaFaixa(texto());
}

bool Valor::logico() const {
    if (nulo() || tamanho_ == 0)
        return false;
    const char c = dados_[0];
    if (c == 'S' || c == 's' || c == 'T' || c == 't')
        return true;
    return ((c >= '0' && c <= '9') || c == '-') && real() != 0;
}

QDate Valor::data() const {
    return nulo() ? QDate() : dataDe(dados_, tamanho_);
}

QDateTime Valor::dataHora() const {
    const QDate d = data();
    if (!d.isValid())
        return {};
    return QDateTime(d, tamanho_ > 11 ? horaDe(dados_ + 11, tamanho_ - 11) : QTime(0, 0));
}

// ---- ResultSet

ResultSet::ResultSet(std::vector<Campo> campos) : campos_(std::move(campos)) {}

ResultSet ResultSet::deResultado(MYSQL_RES *resultado) {
    ResultSet rs;
    const unsigned n = mysql_num_fields(resultado);
    const MYSQL_FIELD *fields = mysql_fetch_fields(resultado);
    for (unsigned i = 0; i < n; ++i)
        rs.campos_.push_back({QString::fromUtf8(fields[i].name, fields[i].name_length),
                              tipoDoServidor(fields[i].type), tamanhoDoCampo(fields[i])});
    const auto linhas = mysql_num_rows(resultado);
    if (linhas > std::uint64_t(std::numeric_limits<int>::max()))
        throw Erro(QStringLiteral("Resultado grande demais para a memória."));
    rs.celulas_.resize(size_t(n) * linhas);
    rs.linhas_ = int(linhas);
    for (int l = 0; l < rs.linhas_; ++l) {
        const MYSQL_ROW row = mysql_fetch_row(resultado);
        const unsigned long *tamanhos = mysql_fetch_lengths(resultado);
        for (unsigned c = 0; c < n; ++c)
            if (row[c])
                rs.celulas_[size_t(l) * n + c] = {rs.guarda(row[c], qsizetype(tamanhos[c])),
                                                  std::int32_t(tamanhos[c])};
    }
    return rs;
}

int ResultSet::procura(QAnyStringView nome) const {
    for (size_t i = 0; i < campos_.size(); ++i)
        if (QAnyStringView::compare(campos_[i].nome, nome, Qt::CaseInsensitive) == 0)
            return int(i);
    return -1;
}

int ResultSet::indice(QAnyStringView nome) const {
    const int i = procura(nome);
    if (i < 0)
        throw Erro(QStringLiteral("Campo '%1' não encontrado.").arg(nome.toString()));
    return i;
}

void ResultSet::acrescentaCampo(Campo campo) {
    const size_t antes = campos_.size();
    std::vector<Celula> celulas(size_t(linhas_) * (antes + 1));
    for (size_t l = 0; l < size_t(linhas_); ++l)
        std::copy_n(celulas_.begin() + std::ptrdiff_t(l * antes), antes,
                    celulas.begin() + std::ptrdiff_t(l * (antes + 1)));
    campos_.push_back(std::move(campo));
    celulas_ = std::move(celulas);
}

void ResultSet::vaiPara(int linha) {
    atual_ = std::clamp(linha, 0, linhas_);
}

bool ResultSet::localiza(QAnyStringView campo, const QString &texto) {
    const int c = indice(campo);
    // Whole-number fields compare as numbers ("013" finds 13); all others as the exact text.
    const bool numerico = campos_[c].tipo == TipoCampo::Inteiro || campos_[c].tipo == TipoCampo::InteiroLongo;
    bool ok = true;
    const qint64 numero = numerico ? texto.trimmed().toLongLong(&ok) : 0;
    if (!ok)
        return false;
    const QByteArray procurado = texto.toUtf8();
    for (int l = 0; l < linhas_; ++l) {
        const Valor v = valor(l, c);
        if (!v.nulo() && (numerico ? v.inteiroLongo() == numero : v.bytes() == procurado)) {
            atual_ = l;
            return true;
        }
    }
    return false;
}

void ResultSet::acrescenta() {
    celulas_.resize(celulas_.size() + campos_.size());
    atual_ = linhas_++;
}

int ResultSet::linhaAtual() const {
    if (fim())
        throw Erro(QStringLiteral("Não há registro atual."));
    return atual_;
}

ResultSet::Celula &ResultSet::celula(int linha, int coluna) {
    return const_cast<Celula &>(std::as_const(*this).celula(linha, coluna));
}

const ResultSet::Celula &ResultSet::celula(int linha, int coluna) const {
    if (coluna < 0 || size_t(coluna) >= campos_.size() || linha < 0 || linha >= linhas_)
        throw std::out_of_range("ResultSet: linha ou coluna fora dos limites");
    return celulas_[size_t(linha) * campos_.size() + size_t(coluna)];
}

Valor ResultSet::valor(int linha, int coluna) const {
    const Celula &c = celula(linha, coluna);
    return c.tamanho < 0 ? Valor() : Valor(dados_.data() + c.inicio, c.tamanho);
}

std::uint32_t ResultSet::guarda(const char *dados, qsizetype tamanho) {
    const size_t inicio = dados_.size();
    if (inicio + size_t(tamanho) > std::numeric_limits<std::uint32_t>::max())
        throw Erro(QStringLiteral("Resultado grande demais para a memória."));
    dados_.append(dados, size_t(tamanho));
    return std::uint32_t(inicio);
}

void ResultSet::grava(int linha, int coluna, const char *dados, qsizetype tamanho) {
    Celula &c = celula(linha, coluna);
    // Cells never share bytes, so a value that fits overwrites the old one in place.
    if (c.tamanho >= tamanho)
        std::memcpy(dados_.data() + c.inicio, dados, size_t(tamanho));
    else
        c.inicio = guarda(dados, tamanho);
    c.tamanho = std::int32_t(tamanho);
}

void ResultSet::define(int linha, int coluna, const QString &texto) {
    const int limite = campos_.at(coluna).tamanho;
    const bool corta = campos_[coluna].tipo == TipoCampo::Texto && limite > 0 && texto.size() > limite;
    const QByteArray b = (corta ? texto.left(limite) : texto).toUtf8();
    grava(linha, coluna, b.constData(), b.size());
}

void ResultSet::define(int linha, int coluna, qint64 numero) {
    char b[24];
    const auto r = std::to_chars(b, b + sizeof b, numero);
    grava(linha, coluna, b, r.ptr - b);
}

void ResultSet::define(int linha, int coluna, double numero) {
    char b[32];
    const auto r = std::to_chars(b, b + sizeof b, numero);
    grava(linha, coluna, b, r.ptr - b);
}

void ResultSet::define(int linha, int coluna, Money dinheiro) {
    const QByteArray b = dinheiro.toDecimalText().toLatin1();
    grava(linha, coluna, b.constData(), b.size());
}

void ResultSet::define(int linha, int coluna, bool logico) {
    grava(linha, coluna, logico ? "1" : "0", 1);
}

void ResultSet::define(int linha, int coluna, const QDate &data) {
    const QByteArray b = data.isValid() ? data.toString(u"yyyy-MM-dd").toLatin1() : QByteArray("0000-00-00");
    grava(linha, coluna, b.constData(), b.size());
}

void ResultSet::define(int linha, int coluna, const QDateTime &momento) {
    const QByteArray b = momento.isValid() ? momento.toString(u"yyyy-MM-dd HH:mm:ss").toLatin1()
                                           : QByteArray("0000-00-00 00:00:00");
    grava(linha, coluna, b.constData(), b.size());
}

void ResultSet::defineNulo(int linha, int coluna) {
    celula(linha, coluna).tamanho = -1;
}
