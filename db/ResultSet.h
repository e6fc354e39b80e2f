#pragma once

#include "util/Money.h"

#include <QAnyStringView>
#include <QByteArrayView>
#include <QDate>
#include <QDateTime>
#include <QString>
#include <cstdint>
#include <string>
#include <vector>

struct st_mysql_res;

enum class TipoCampo { Texto, Inteiro, InteiroLongo, Decimal, Real, Data, DataHora, Hora, Logico };

struct Campo {
    QString nome;
    TipoCampo tipo = TipoCampo::Texto;
    // Characters for text (longer texts written into the field are cut; 0: no limit), digits for numbers.
    int tamanho = 0;
};

// One cell, read in the type the caller needs. A view: valid until the result set is changed.
class Valor {
public:
    Valor() = default;
    Valor(const char *dados, int tamanho) : dados_(dados), tamanho_(tamanho) {}

    bool nulo() const { return tamanho_ < 0; }
    QString texto() const;
    // Numbers read 0 when the cell is NULL or empty; text that is no number is an error.
    int inteiro() const;
    qint64 inteiroLongo() const;
    double real() const;
    Money dinheiro() const;
    bool logico() const;
    // A NULL or zero date ('0000-00-00') reads as an invalid date.
    QDate data() const;
    QDateTime dataHora() const;
    QByteArrayView bytes() const { return nulo() ? QByteArrayView() : QByteArrayView(dados_, tamanho_); }

private:
    const char *dados_ = nullptr;
    int tamanho_ = -1;
};

// A whole result held in memory: the fields and every row, with a current row. Rows can be edited and
// fields added; nothing goes back to the database. Cells are kept as the server's text in one buffer,
// so that loading is a copy and a typed read parses only the cell it reads.
class ResultSet {
public:
    ResultSet() = default;
    // An in-memory table with these fields and no rows.
    explicit ResultSet(std::vector<Campo> campos);
    // Takes the fields and rows of a stored result; the caller still frees it.
    static ResultSet deResultado(st_mysql_res *resultado);

    int quantidadeCampos() const { return int(campos_.size()); }
    const Campo &campo(int coluna) const { return campos_.at(coluna); }
    // The position of a field, names compared without regard to case; -1 when there is none.
    int procura(QAnyStringView nome) const;
    // As procura, but a missing field is an error.
    int indice(QAnyStringView nome) const;
    // Adds a field at the end, NULL in every row.
    void acrescentaCampo(Campo campo);

    int linhas() const { return linhas_; }
    bool vazio() const { return linhas_ == 0; }

    // The current row. fim() is true when the result is empty or proximo() went past the last row.
    int linha() const { return atual_; }
    void vaiPara(int linha);
    void primeiro() { atual_ = 0; }
    void proximo() { ++atual_; }
    bool fim() const { return atual_ >= linhas_; }
    // Moves to the first row whose field holds this value; false, without moving, when none does.
    bool localiza(QAnyStringView campo, const QString &texto);

    // Appends a row of NULLs and makes it the current one.
    void acrescenta();

    Valor valor(int linha, int coluna) const;
    Valor valor(int linha, QAnyStringView campo) const { return valor(linha, indice(campo)); }
    Valor valor(QAnyStringView campo) const { return valor(linhaAtual(), indice(campo)); }

    void define(int linha, int coluna, const QString &texto);
    void define(int linha, int coluna, const char *texto) { define(linha, coluna, QString::fromUtf8(texto)); }
    void define(int linha, int coluna, int numero) { define(linha, coluna, qint64(numero)); }
    void define(int linha, int coluna, qint64 numero);
    void define(int linha, int coluna, double numero);
    void define(int linha, int coluna, Money dinheiro);
    void define(int linha, int coluna, bool logico);
    // An invalid date is written as the zero date.
    void define(int linha, int coluna, const QDate &data);
    void define(int linha, int coluna, const QDateTime &momento);
    void defineNulo(int linha, int coluna);
    // The same on the current row.
    template <typename T> void define(QAnyStringView campo, const T &v) {
        define(linhaAtual(), indice(campo), v);
    }
    void defineNulo(QAnyStringView campo) { defineNulo(linhaAtual(), indice(campo)); }

private:
    struct Celula {
        std::uint32_t inicio = 0;
        std::int32_t tamanho = -1;
    };

    int linhaAtual() const;
    Celula &celula(int linha, int coluna);
    const Celula &celula(int linha, int coluna) const;
    void grava(int linha, int coluna, const char *dados, qsizetype tamanho);
    std::uint32_t guarda(const char *dados, qsizetype tamanho);

    std::vector<Campo> campos_;
    // Row after row, a cell per field: one block however many fields a result has.
    std::vector<Celula> celulas_;
    std::string dados_;
    int linhas_ = 0;
    int atual_ = 0;
};
