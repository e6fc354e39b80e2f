#pragma once

// The payee's account as the program hands it over, and its validated, normalised form.

#include "bolix/core/Configuracao.h"

#include <QChar>
#include <QList>
#include <QString>
#include <cstdint>

namespace bolix {

// A "MeusDados" entry: a named value the program hands over beyond the fixed members.
struct DadoNomeValor {
    QString nome;
    QString valor;
    friend bool operator==(const DadoNomeValor &, const DadoNomeValor &) = default;
};
// The value of the last entry called `nome` (letter case ignored); empty when there is none.
QString valorDe(const QList<DadoNomeValor> &dados, QStringView nome);

// Texts as the program sets them. configuraConta rewrites the first five in the bank's form.
struct Conta {
    QString codigoAgencia;
    QString numeroContaCorrente;
    QString codigoCedente;
    QString outroDadoConfiguracao1 = QStringLiteral("A"); // default acceptance of the documents: A or N
    QString outroDadoConfiguracao2; // payee code for the file headers when the bank gave a separate one
    QString inicioNossoNumero;
    QString fimNossoNumero; // empty: no upper limit
    QString localPagamento;
    bool naoUsarFatorVencimento = false;
    QList<DadoNomeValor> meusDados;
    friend bool operator==(const Conta &, const Conta &) = default;
};

// What the bank rules, the boleto and the files work with.
struct ContaConfigurada {
    ConfiguracaoBolix configuracao;
    QString agencia, dvAgencia; // digits at the bank's width; DV as the bank prints it, may be empty
    QString conta, dvConta;
    QString cedente, dvCedente; // convênio or código do beneficiário
    QString convenioArquivo;    // the payee code of the remittance headers, as given; empty: bank default
    QChar aceite = u'A';
    std::uint64_t inicioNossoNumero = 0;
    std::uint64_t fimNossoNumero = 0;
    QString localPagamento;
    bool naoUsarFatorVencimento = false;
};

// Validates the account against the bank of `configuracao` and writes the normalised texts back into
// `conta` (normalising twice gives the same texts). Errors name the member, the value and the reason;
// a refused account keeps its texts.
ContaConfigurada configuraConta(Conta &conta, const ConfiguracaoBolix &configuracao);

// "0057-7", or "0057" when there is no digit.
QString comDigito(const QString &numero, const QString &digito);

// Refuses an account member: "<membro> "<valor>" inválido: <motivo>.".
[[noreturn]] void recusaConta(const QString &membro, const QString &valor, const QString &motivo);

// A number with an optional check digit after a '-' ("0548-7"); blanks and dots are ignored.
struct NumeroComDigito {
    QString numero; // zero-filled to the width
    QString digito; // empty when none was given
};
// Refuses an empty number (when `obrigatorio`), non-digits, and numbers wider than `largura`
// once leading zeros are dropped. `digitosAceitos` lists the characters a check digit may be.
NumeroComDigito separaDigito(const QString &membro, const QString &valor, int largura, bool obrigatorio,
                             const QString &digitosAceitos = QStringLiteral("0123456789"));
// Branch and account for banks whose check digits the component does not compute: a digit given
// after '-' is kept as typed.
void agenciaEContaInformadas(const Conta &entrada, ContaConfigurada &saida, int larguraAgencia,
                             int larguraConta, const QString &digitosAceitos = QStringLiteral("0123456789"));
// Refuses a given check digit that differs from the computed one; returns the computed one.
QString confereDigito(const QString &membro, const QString &valor, const QString &informado,
                      const QString &calculado);

} // namespace bolix
