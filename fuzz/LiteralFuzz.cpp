// The literal forms of statement values. Each literal, sent to the server in a query, must come back as
// the value it was made from: a text never escapes its quotes, a number or date is never misread.
// Without a server (MYSQL_UNIX_PORT unset or not answering) only the forms that need none are checked.

#include "Propriedade.h"

#include "db/Literal.h"
#include "tests/support/BancoDeTeste.h"
#include "util/Erro.h"

#include <cmath>
#include <cstdlib>
#include <fuzzer/FuzzedDataProvider.h>
#include <memory>

namespace {

std::unique_ptr<BancoDeTeste> banco;

// The server's answer to "select <expression>", as text; the query must run.
ResultSet consulta(const QString &expressao) {
    try {
        return banco->conexao().abre(QStringLiteral("select ") + expressao);
    } catch (const Erro &e) {
        exige(false, "the server takes the literal", expressao + u'\n' + e.texto());
    }
    std::abort();
}

void texto(const QString &t) {
    if (!banco)
        return;
    const QString literal = Literal(banco->conexao(), t);
    const QString volta = consulta(literal).valor(0, 0).texto();
    exige(volta == QString::fromUtf8(t.toUtf8()), "a text comes back as it was",
          literal + QStringLiteral(" -> ") + volta);
}

void dinheiro(Money m) {
    const QString literal = Literal(m);
    const qsizetype ponto = literal.indexOf(u'.');
    const bool negativo = literal.startsWith(u'-');
    const QStringView inteiro = QStringView(literal)
                                    .sliced(negativo ? 1 : 0)
                                    .first((ponto < 0 ? literal.size() : ponto) - (negativo ? 1 : 0));
    const QStringView fracao = ponto < 0 ? QStringView() : QStringView(literal).sliced(ponto + 1);
    exige(Money::deDigitos(negativo, inteiro, fracao) == m, "money's literal is its exact decimal", literal);
    if (banco)
        exige(consulta(literal).valor(0, 0).dinheiro() == m, "money comes back from the server", literal);
}

// Within what the server's DECIMAL holds, 65 digits; beyond it the server would clamp the literal, so
// there is none.
void real(double d) {
    if (!std::isfinite(d) || std::abs(d) >= 1e65) {
        bool recusado = false;
        try {
            Literal(d);
        } catch (const Erro &) {
            recusado = true;
        }
        exige(recusado, "a number beyond the server's range has no literal", QString::number(d));
        return;
    }
    if (d != 0 && std::abs(d) < 1e-40)
        return;
    const QString literal = Literal(d);
    bool ok = false;
    const double lido = literal.toDouble(&ok);
    exige(ok && std::abs(lido - d) <= std::abs(d) * 1e-14, "a number's literal reads back", literal);
    if (banco) {
        const double volta = consulta(literal).valor(0, 0).real();
        exige(std::abs(volta - d) <= std::abs(d) * 1e-14, "a number comes back from the server", literal);
    }
}

// The server's date range; the literal must be read as that very date, never as an invalid one.
void data(const QDate &d) {
    const QString literal = Literal(d);
    if (!banco || !d.isValid() || d.year() < 1000 || d.year() > 9999)
        return;
    const QDate volta = consulta(QStringLiteral("cast(%1 as date)").arg(literal)).valor(0, 0).data();
    exige(volta == d, "a date comes back from the server", literal);
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int *, char ***) {
    if (!std::getenv("MYSQL_UNIX_PORT"))
        return 0;
    try {
        banco = std::make_unique<BancoDeTeste>();
    } catch (const std::exception &e) {
        std::fprintf(stderr, "No server (%s): only the literals that need none are fuzzed.\n", e.what());
    }
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *dados, size_t tamanho) {
    FuzzedDataProvider fdp(dados, tamanho);
    dinheiro(Money::deUnidades(fdp.ConsumeIntegral<std::int64_t>()));
    real(fdp.ConsumeFloatingPoint<double>());
    data(QDate::fromJulianDay(fdp.ConsumeIntegralInRange<qint64>(0, 5'373'484)));
    texto(QString::fromUtf8(fdp.ConsumeRemainingBytesAsString()));
    return 0;
}
