#pragma once

// What every return reader does with its current line: fields by position, numbers, amounts and dates,
// and refusals that name the file, the line and the field.

#include "bolix/core/Documento.h"
#include "bolix/core/ErroBolix.h"
#include "bolix/core/bancos/Bancos.h"

#include <QByteArrayView>
#include <QDate>
#include <QString>
#include <QStringList>
#include <cstdint>
#include <optional>

namespace bolix {

// The bytes of the return file; an ErroBolix naming the path when it cannot be read.
QByteArray conteudoDoRetorno(const QString &caminho);

// "título 0000004711 (nosso número 123)", as refusals and notices name a title.
QString nomeDoTitulo(const Ocorrencia &o);
// The bank's words for a movement that writes the unpaid title `o` off (Ocorrencia::baixa).
void anotaBaixa(Ocorrencia &o, const QList<BaixaDoBanco> &baixas, const QString &orientacao = {});

class LeituraRetorno {
protected:
    explicit LeituraRetorno(const QString &nome) : nome_(nome) {}
    virtual ~LeituraRetorno() = default;

    // Hands every line, as LinhasCnab takes it at the layout's `largura`, to registro(); refuses an empty
    // file, a record after the file trailer and a file without one.
    void percorre(const QByteArray &conteudo, qsizetype largura);
    // Reads the current line; true when it was the file trailer.
    virtual bool registro() = 0;

    [[noreturn]] void recusa(const QString &motivo) const;
    // What does not refuse the file but the operator must know, naming the line.
    void avisa(const QString &motivo) {
        avisos_.append(QStringLiteral("Linha %1: %2.").arg(numeroLinha_).arg(motivo));
    }
    // A payment with only one of its dates takes it for the other, and says so; one with neither is
    // refused.
    void completaDatas(Ocorrencia &pagamento);
    [[noreturn]] void recusaCampo(const QString &campo, int inicio, int fim, const QString &motivo) const;

    QByteArrayView trecho(int inicio, int fim) const { return linha_.sliced(inicio - 1, fim - inicio + 1); }
    QString texto(int inicio, int fim) const { return QString::fromLatin1(trecho(inicio, fim)).trimmed(); }
    std::int64_t numero(const QString &campo, int inicio, int fim) const;
    // Two decimals in the file; ten-thousandths inside.
    Dinheiro dinheiro(const QString &campo, int inicio, int fim) const {
        return numero(campo, inicio, fim) * 100;
    }
    // DDMMAAAA; blanks or zeros are no date.
    QDate data(const QString &campo, int inicio) const;
    // DDMMAA of the CNAB 400 files, years 2000 to 2099; blanks or zeros are no date.
    QDate dataCurta(const QString &campo, int inicio) const;
    QDate dataAnoMesDia(const QString &campo, int inicio) const;
    // The digits of a date field; zero when blank.
    std::int64_t numeroDaData(const QString &campo, int inicio, int fim) const;
    void confere(const QString &campo, int inicio, int fim, std::int64_t esperado,
                 const QString &porque) const;
    // A trailer figure the bank may leave out: blanks or zeros are not given.
    std::optional<std::int64_t> informado(const QString &campo, Faixa f) const;
    // Two accounts of one store, or two companies, keep their returns side by side: a file of another
    // account must not settle this one's receivables. The check digits are not compared, as banks write
    // them in different places. Without `identifica`, a record that names no identifying part passes
    // (the bank identifies the account elsewhere in the file).
    void confereConta(const ContaDoRetorno &partes, const QString &banco, bool identifica = true) const;

    // A record that moves no money is read for its kind only: while set, a field that is not a number
    // or a date reads as zero or no date instead of refusing the file.
    bool soOTipo_ = false;
    QString nome_;
    QStringList avisos_;
    QByteArrayView linha_;
    qsizetype numeroLinha_ = 0;
};

} // namespace bolix
