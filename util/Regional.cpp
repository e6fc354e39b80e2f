#include "util/Regional.h"

#include <QLocale>

namespace {

Regional &emVigor() {
    static Regional regional = Regional::doSistema();
    return regional;
}

// The first separator of a locale's date or time pattern; month names in the pattern leave none.
QString separadorDoPadrao(const QString &padrao, const QString &senaoHouver) {
    for (QChar c : padrao)
        if (!c.isLetter() && !c.isSpace() && c != u'\'')
            return c;
    return senaoHouver;
}

QString doisDigitos(int n) {
    return QString::number(n).rightJustified(2, u'0');
}

// How many times the field letter at i repeats: two at most, except that a year takes all its y's.
qsizetype comprimentoDoCampo(QStringView padrao, qsizetype i, char16_t letra) {
    const qsizetype maximo = letra == u'y' ? padrao.size() : 2;
    qsizetype n = 1;
    while (i + n < padrao.size() && n < maximo && padrao[i + n].toLower() == letra)
        ++n;
    return n;
}

} // namespace

Regional Regional::doSistema() {
    const QLocale sistema = QLocale::system();
    return {sistema.decimalPoint(), sistema.groupSeparator(),
            separadorDoPadrao(sistema.dateFormat(QLocale::ShortFormat), QStringLiteral("/")),
            separadorDoPadrao(sistema.timeFormat(QLocale::ShortFormat), QStringLiteral(":"))};
}

Regional Regional::brasileiro() {
    return {QStringLiteral(","), QStringLiteral("."), QStringLiteral("/"), QStringLiteral(":")};
}

const Regional &Regional::atual() {
    return emVigor();
}

void Regional::definir(const Regional &regional) {
    emVigor() = regional;
}

QString Regional::formataValor(Money valor) const {
    const std::int64_t u = valor.unidades();
    const std::uint64_t absoluto = u < 0 ? 0 - std::uint64_t(u) : std::uint64_t(u);
    const std::uint64_t centavos = (absoluto + 50) / 100;
    QString inteiro = QString::number(centavos / 100);
    for (qsizetype i = inteiro.size() - 3; i > 0; i -= 3)
        inteiro.insert(i, separadorMilhar);
    const QString texto = inteiro + separadorDecimal + doisDigitos(int(centavos % 100));
    return u < 0 && centavos != 0 ? QLatin1Char('-') + texto : texto;
}

QString Regional::formataGeral(Money valor) const {
    return valor.toDecimalText().replace(u'.', separadorDecimal);
}

std::optional<Money> Regional::leDecimal(QStringView texto) const {
    texto = texto.trimmed();
    const bool negativo = texto.startsWith(u'-');
    if (negativo || texto.startsWith(u'+'))
        texto = texto.sliced(1);
    const qsizetype sep = separadorDecimal.isEmpty() ? -1 : texto.indexOf(separadorDecimal);
    const QStringView inteiro = sep < 0 ? texto : texto.first(sep);
    const QStringView fracao = sep < 0 ? QStringView() : texto.sliced(sep + separadorDecimal.size());
    if (inteiro.isEmpty() && fracao.isEmpty())
        return std::nullopt;
    return Money::deDigitos(negativo, inteiro, fracao);
}

QString Regional::formataDataHora(const QDateTime &momento, QStringView padrao) const {
    const QDate d = momento.date();
    const QTime t = momento.time();
    QString texto;
    bool aposHora = false;
    for (qsizetype i = 0; i < padrao.size();) {
        const QChar c = padrao[i];
        const char16_t letra = c.toLower().unicode();
        const qsizetype n = c.isLetter() ? comprimentoDoCampo(padrao, i, letra) : 1;
        const auto campo = [n](int valor) { return n == 1 ? QString::number(valor) : doisDigitos(valor); };
        switch (letra) {
        case u'd':
            texto += campo(d.day());
            break;
        case u'm':
            texto += campo(aposHora ? t.minute() : d.month());
            break;
        case u'y':
            texto += n <= 2 ? doisDigitos(d.year() % 100) : QString::number(d.year()).rightJustified(4, u'0');
            break;
        case u'h':
            texto += campo(t.hour());
            break;
        case u'n':
            texto += campo(t.minute());
            break;
        case u's':
            texto += campo(t.second());
            break;
        case u'/':
            texto += separadorData;
            break;
        case u':':
            texto += separadorHora;
            break;
        default:
            texto += padrao.sliced(i, n);
        }
        if (c.isLetter())
            aposHora = letra == u'h';
        i += n;
    }
    return texto;
}

QString Regional::formataData(QDate data, QStringView padrao) const {
    return formataDataHora(QDateTime(data, QTime(0, 0)), padrao);
}
