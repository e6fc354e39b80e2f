#pragma once

#include "db/ResultSet.h"
#include "generation/GerarArquivo.h"
#include "tests/generation/InstalacaoDeTeste.h"
#include "tests/support/BancoDeTeste.h"
#include "tests/support/MensagensGravadas.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <optional>

// A whole generation run on the test's database and the real component: one company, its clients and their
// receivables of today, listed by the program's own statements, marked as the test says.
class GeracaoDeTeste : public testing::Test {
protected:
    BancoDeTeste banco;
    InstalacaoDeTeste instalacao;
    MensagensGravadas mensagens;
    QTemporaryDir destino;
    EstadoPrograma estado;
    boleto::ObjetoBolix bolix;
    ControlesGeracao controles;
    CamposGeracao campos;
    std::optional<ResultSet> clientes;
    std::optional<ResultSet> empresas;
    QString titulo;
    int numerosPorLote = 100;
    const QDate hoje = QDate::currentDate();

    void SetUp() override;

    // A client of company 1 with a complete payer record.
    void cliente(int id, Colunas colunas = {}) { banco.pagador(id, colunas); }
    void listaClientes();
    void listaEmpresas();
    // Marks the rows whose id (clientes_id or empresa_id) is listed.
    static void marca(ResultSet &lista, std::initializer_list<qint64> ids);

    void gera();
    // What the run shows on its bar; empty: nothing.
    Progresso::Mostra progresso;
    std::function<void(const QString &)> situacao;
    // A member of the i-th document the run handed to the component, as text.
    QString doc(int i, const char *membro) const;
    // The run asked once and then wrote the remittance with that many titles.
    testing::AssertionResult remessaGerada(int titulos) const;
    // A key of section [Ruvenal].
    QString chave(const char *nome) const;
    QString numeroDocumento(int receberId);
    // The rows of the record of issued boletos (the table created when missing).
    int boletosRegistrados();
    // The next nosso número of the installation's account in the database; 0 when it has no row.
    qint64 proximoNossoNumero();
    QString remessa() const { return QDir(destino.path()).filePath(QStringLiteral("remessa.rem")); }
};
