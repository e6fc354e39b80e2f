#pragma once

#include <QList>
#include <QString>

class ResultSet;

// The company of the per-client listing: the companies of QEmpresas with their current row, and
// QEmpresaID, whose current row holds the chosen code.
class EscolhaEmpresa {
public:
    struct Empresa {
        int id = 0;
        QString nome;
    };

    static QString sqlEmpresas();

    explicit EscolhaEmpresa(const ResultSet &QEmpresas);

    const QList<Empresa> &empresas() const { return empresas_; }
    // Position of QEmpresas; -1 when it holds no company.
    int posicao() const { return posicao_; }
    const Empresa &atual() const { return empresas_.at(posicao_); }
    // Moves QEmpresas to its first company; false when there is none.
    bool posicionaPrimeira();

    // The choice by code as typed: when a company has that code, QEmpresas moves to it and a row
    // with the code becomes the current row of QEmpresaID. False, changing nothing, otherwise.
    bool escolhePorCodigo(const QString &texto);
    // The choice by name: the company's code goes into the current row of QEmpresaID.
    void escolhe(int empresaId);
    // The chosen company: codempres of QEmpresaID's current row, 0 when it is empty.
    int codempres() const { return QEmpresaID_.isEmpty() ? 0 : QEmpresaID_.last(); }

private:
    QList<Empresa> empresas_;
    int posicao_ = -1;
    // Rows are only ever appended and the last one is current.
    QList<int> QEmpresaID_;
};
