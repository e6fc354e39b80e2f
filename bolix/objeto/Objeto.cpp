#include "bolix/objeto/Objeto.h"

#include <QHash>
#include <QMutex>
#include <QStringList>

#include <algorithm>
#include <limits>

namespace bolix::objeto {

using automation::AutomationError;

namespace {

const QString formatoData = QStringLiteral("dd/MM/yyyy");

QString nomeDoTipo(Tipo tipo) {
    switch (tipo) {
    case Tipo::Texto:
        return QStringLiteral("texto");
    case Tipo::Data:
        return QStringLiteral("data dd/mm/aaaa");
    case Tipo::Inteiro:
        return QStringLiteral("inteiro");
    case Tipo::Booleano:
        return QStringLiteral("booleano");
    case Tipo::Moeda:
        return QStringLiteral("moeda");
    case Tipo::Objeto:
        return QStringLiteral("objeto");
    }
    return {};
}

Variant valorInicial(Tipo tipo) {
    switch (tipo) {
    case Tipo::Inteiro:
        return std::int64_t(0);
    case Tipo::Booleano:
        return false;
    case Tipo::Moeda:
        return automation::Currency{};
    default:
        return QString();
    }
}

// The usual dd/mm/yyyy text is read directly; any other goes through Qt's parser, whose rules stay.
QDate leData(const QString &texto) {
    if (texto.isEmpty())
        return {};
    const auto digito = [&texto](int i) { return texto.at(i) >= u'0' && texto.at(i) <= u'9'; };
    const auto numero = [&texto](int de, int ate) {
        int n = 0;
        for (int i = de; i < ate; ++i)
            n = n * 10 + (texto.at(i).unicode() - u'0');
        return n;
    };
    if (texto.size() == 10 && texto.at(2) == u'/' && texto.at(5) == u'/' && digito(0) && digito(1) &&
        digito(3) && digito(4) && digito(6) && digito(7) && digito(8) && digito(9))
        return QDate(numero(6, 10), numero(3, 5), numero(0, 2));
    return QDate::fromString(texto, formatoData);
}

// Names are ASCII: folding them needs no table; any other character goes through Qt's folding.
char16_t dobrada(QChar c) {
    const char16_t u = c.unicode();
    if (u < 0x80)
        return u >= u'A' && u <= u'Z' ? char16_t(u + 0x20) : u;
    return c.toCaseFolded().unicode();
}

bool dataAceita(const QString &texto) {
    return texto.isEmpty() || leData(texto).isValid();
}

} // namespace

Variant Objeto::get(const QString &membro) {
    Membro &m = procura(membro);
    return m.genero == Genero::Metodo ? executa(m, {}) : valorDe(m);
}

void Objeto::set(const QString &membro, const Variant &valor) {
    Membro &m = procura(membro);
    if (m.genero == Genero::Metodo)
        throw AutomationError(QStringLiteral("%1.%2 é um método e não recebe valor.").arg(classe_, m.nome));
    if (m.genero == Genero::Leitura)
        throw AutomationError(QStringLiteral("%1.%2 é somente leitura.").arg(classe_, m.nome));
    grava(m, valor);
}

Variant Objeto::call(const QString &membro, const QList<Variant> &args) {
    Membro &m = procura(membro);
    if (m.genero == Genero::Metodo)
        return executa(m, args);
    if (!args.isEmpty())
        throw AutomationError(QStringLiteral("%1.%2 não é um método.").arg(classe_, m.nome));
    return valorDe(m);
}

QString Objeto::texto(const QString &membro) const {
    return valorDe(tipado(membro, {Tipo::Texto, Tipo::Data})).toText();
}

QDate Objeto::data(const QString &membro) const {
    return leData(valorDe(tipado(membro, {Tipo::Data})).toText());
}

std::int64_t Objeto::inteiro(const QString &membro) const {
    return valorDe(tipado(membro, {Tipo::Inteiro})).toInt();
}

bool Objeto::booleano(const QString &membro) const {
    return valorDe(tipado(membro, {Tipo::Booleano})).toBool();
}

std::int64_t Objeto::moeda(const QString &membro) const {
    return valorDe(tipado(membro, {Tipo::Moeda})).toCurrency().units;
}

bool Objeto::definido(const QString &membro) const {
    return procura(membro).definido;
}

void Objeto::define(const QString &membro, const Variant &valor) {
    Membro &m = procura(membro);
    if (m.genero == Genero::Metodo || m.calculado || m.tipo == Tipo::Objeto)
        throw AutomationError(QStringLiteral("%1.%2 não guarda valor.").arg(classe_, m.nome));
    grava(m, valor);
}

void Objeto::propriedade(const QString &nome, Tipo tipo, const Variant &inicial) {
    Membro m{nome, Genero::Propriedade, tipo, valorInicial(tipo)};
    if (!inicial.isEmpty())
        m.valor = coage(m, inicial);
    declara(std::move(m));
}

void Objeto::leitura(const QString &nome, Tipo tipo, std::function<Variant()> valor) {
    Membro m{nome, Genero::Leitura, tipo};
    m.calculado = std::move(valor);
    declara(std::move(m));
}

void Objeto::subObjeto(const QString &nome, DispatchPtr objeto) {
    declara({nome, Genero::Leitura, Tipo::Objeto, Variant(std::move(objeto))});
}

void Objeto::metodo(const QString &nome, int argumentos, Corpo corpo) {
    Membro m{nome, Genero::Metodo, Tipo::Objeto};
    m.argumentos = argumentos;
    m.corpo = std::move(corpo);
    declara(std::move(m));
}

// The length and three letters tell a class's few dozen names apart; equality settles the rest.
std::size_t Objeto::SemCaixa::operator()(QStringView nome) const noexcept {
    const qsizetype n = nome.size();
    if (n == 0)
        return 0;
    return ((std::size_t(n) * 131 + dobrada(nome[0])) * 131 + dobrada(nome[n / 2])) * 131 +
           dobrada(nome[n - 1]);
}

bool Objeto::SemCaixa::operator()(QStringView a, QStringView b) const noexcept {
    if (a.size() != b.size())
        return false;
    // Callers mostly spell the name as declared.
    if (a == b)
        return true;
    for (qsizetype i = 0; i < a.size(); ++i)
        if (dobrada(a[i]) != dobrada(b[i]))
            return false;
    return true;
}

void Objeto::declara(Membro m) {
    membros_.push_back(std::move(m));
    indice_.reset();
}

// Every object of a class declares the same members in the same order, so they share one index; one that
// declares others gets its own.
const Objeto::Indice &Objeto::constroiIndice() const {
    static QMutex guarda;
    static QHash<QString, std::pair<QStringList, std::shared_ptr<const Indice>>> porClasse;
    QStringList nomes;
    nomes.reserve(qsizetype(membros_.size()));
    for (const Membro &m : membros_)
        nomes << m.nome;
    const QMutexLocker trava(&guarda);
    const auto conhecido = porClasse.constFind(classe_);
    if (conhecido != porClasse.constEnd() && conhecido->first == nomes) {
        indice_ = conhecido->second;
        return *indice_;
    }
    auto novo = std::make_shared<Indice>();
    for (std::size_t i = 0; i < membros_.size(); ++i) {
        [[maybe_unused]] const bool unico = novo->emplace(membros_[i].nome, i).second;
        Q_ASSERT(unico);
    }
    if (conhecido == porClasse.constEnd())
        porClasse.insert(classe_, {nomes, novo});
    indice_ = std::move(novo);
    return *indice_;
}

Objeto::Membro &Objeto::procura(const QString &nome) {
    return const_cast<Membro &>(std::as_const(*this).procura(nome));
}

const Objeto::Membro &Objeto::procura(const QString &nome) const {
    const Indice &i = indice();
    const auto it = i.find(QStringView(nome).trimmed());
    if (it == i.end())
        throw AutomationError(QStringLiteral("O objeto %1 não tem o membro %2.").arg(classe_, nome));
    return membros_[it->second];
}

const Objeto::Membro &Objeto::tipado(const QString &nome, std::initializer_list<Tipo> aceitos) const {
    const Membro &m = procura(nome);
    if (m.genero == Genero::Metodo || std::find(aceitos.begin(), aceitos.end(), m.tipo) == aceitos.end())
        throw AutomationError(
            QStringLiteral("%1.%2 não é do tipo %3.").arg(classe_, m.nome, nomeDoTipo(*aceitos.begin())));
    return m;
}

Variant Objeto::valorDe(const Membro &m) const {
    return m.calculado ? m.calculado() : m.valor;
}

Variant Objeto::coage(const Membro &m, const Variant &valor) const {
    try {
        switch (m.tipo) {
        case Tipo::Texto:
            return valor.toText();
        case Tipo::Data: {
            const QString t = valor.toText().trimmed();
            if (dataAceita(t))
                return t;
            break;
        }
        case Tipo::Inteiro: {
            // Integer members are automation Longs: 32 bits.
            const std::int64_t i = valor.toInt();
            if (i >= std::numeric_limits<std::int32_t>::min() &&
                i <= std::numeric_limits<std::int32_t>::max())
                return i;
            break;
        }
        case Tipo::Booleano:
            return valor.toBool();
        case Tipo::Moeda:
            return valor.toCurrency();
        case Tipo::Objeto:
            break;
        }
    } catch (const AutomationError &) {
        // Reported below with the member's name.
    }
    throw AutomationError(QStringLiteral("Valor inválido para %1.%2: %3 (esperado %4).")
                              .arg(classe_, m.nome, valor.describe(), nomeDoTipo(m.tipo)));
}

void Objeto::confere(const QString &, const Variant &) const {}

void Objeto::grava(Membro &m, const Variant &valor) {
    Variant coagido = coage(m, valor);
    confere(m.nome, coagido);
    m.valor = std::move(coagido);
    m.definido = true;
}

Variant Objeto::executa(Membro &m, const QList<Variant> &args) {
    if (args.size() != m.argumentos)
        throw AutomationError(QStringLiteral("%1.%2 espera %3 argumento(s) e recebeu %4.")
                                  .arg(classe_, m.nome)
                                  .arg(m.argumentos)
                                  .arg(args.size()));
    return m.corpo(args);
}

} // namespace bolix::objeto
