#include "tests/support/BancoDeTeste.h"

#include "db/Literal.h"
#include "db/Script.h"

#include <QCoreApplication>

#include <atomic>

namespace {

std::atomic<int> bancosCriados{0};

} // namespace

QString ValorDeTeste::literal(Connection &conexao) const {
    return std::visit(
        [&](const auto &v) -> QString {
            using T = std::decay_t<decltype(v)>;
            if constexpr (std::is_same_v<T, std::monostate>)
                return LiteralNulo();
            else if constexpr (std::is_same_v<T, QString>)
                return Literal(conexao, v);
            else
                return Literal(v);
        },
        v_);
}

QByteArray BancoDeTeste::senhaPadrao() {
    return QByteArray::fromHex("D7AEE1CFF54698432B");
}

BancoDeTeste::BancoDeTeste()
    : nome_(QStringLiteral("ruvenal_t_%1_%2").arg(QCoreApplication::applicationPid()).arg(++bancosCriados)) {
    Connection servidor;
    servidor.configura(QString(), QString(), senhaPadrao());
    servidor.executa(QStringLiteral("drop database if exists ") + nome_);
    servidor.executa(QStringLiteral("create database ") + nome_ +
                     QStringLiteral(" default character set latin1"));
    conexao_.configura(QString(), nome_, senhaPadrao());
    static const QString esquema = leScript(QStringLiteral(RUVENAL_SCHEMA));
    executaScript(conexao_, esquema);
}

BancoDeTeste::~BancoDeTeste() {
    try {
        conexao_.executa(QStringLiteral("drop database ") + nome_);
    } catch (const std::exception &) {
        // A server gone at the end of a test leaves the database behind; the test has already failed.
    }
}

void BancoDeTeste::insere(const QString &tabela, Colunas colunas) {
    insereEmCamadas(tabela, {colunas});
}

void BancoDeTeste::insereEmCamadas(const QString &tabela, std::initializer_list<Colunas> camadas) {
    QStringList nomes, valores;
    auto acrescenta = [&](const ColunaDeTeste &c) {
        const qsizetype i = nomes.indexOf(c.nome.toLower());
        if (i >= 0)
            valores[i] = c.valor.literal(conexao_);
        else {
            nomes << c.nome.toLower();
            valores << c.valor.literal(conexao_);
        }
    };
    for (Colunas camada : camadas)
        for (const ColunaDeTeste &c : camada)
            acrescenta(c);
    conexao_.executa(QStringLiteral("insert into %1 (%2) values (%3)")
                         .arg(tabela, nomes.join(QStringLiteral(", ")), valores.join(QStringLiteral(", "))));
}

void BancoDeTeste::empresa(int empresaId, Colunas colunas) {
    insereEmCamadas(QStringLiteral("empresa"), {{{"empresa_id", empresaId},
                                                 {"nome", QStringLiteral("Empresa %1").arg(empresaId)},
                                                 {"diasjur", 0},
                                                 {"multa", 0},
                                                 {"jurosdia", 0}},
                                                colunas});
}

void BancoDeTeste::empresaQueCobra() {
    insere(QStringLiteral("filial"), {{"filial_id", 1}, {"relreceberunificado", "S"}});
    empresa(1, {{"cgc", "12.345.678/0001-95"},
                {"endereco", "Av. Paulista 1000"},
                {"bairro", "Bela Vista"},
                {"cidade", "São Paulo"},
                {"estado", "SP"},
                {"cep", "01310-100"}});
}

void BancoDeTeste::cliente(int clientesId, Colunas colunas) {
    cliente(clientesId, {}, colunas);
}

void BancoDeTeste::pagador(int clientesId, Colunas colunas) {
    cliente(clientesId,
            {{"cpf", "12345678909"},
             {"endereco", "Rua das Flores"},
             {"numero1", "12"},
             {"bairro", "Centro"},
             {"cidade", "Campinas"},
             {"uf", "SP"},
             {"cep", "13010-000"},
             {"agencia", "1234"},
             {"cc", "56789-0"}},
            colunas);
}

void BancoDeTeste::cliente(int clientesId, Colunas padroes, Colunas colunas) {
    insereEmCamadas(QStringLiteral("clientes"), {{{"clientes_id", clientesId},
                                                  {"empresa_id", 1},
                                                  {"chapa", clientesId},
                                                  {"nome", QStringLiteral("Cliente %1").arg(clientesId)},
                                                  {"cobra_juros", "N"}},
                                                 padroes,
                                                 colunas});
}

void BancoDeTeste::receber(Colunas colunas) {
    const int id = proximoReceber_++;
    const QDate hoje = QDate::currentDate();
    insereEmCamadas(QStringLiteral("receber"), {{{"filial_id", 1},
                                                 {"receber_id", id},
                                                 {"clientes_id", 1},
                                                 {"numlanc", id},
                                                 {"datahora", QDateTime(hoje, QTime(10, 0))},
                                                 {"vencimento", hoje},
                                                 {"valor", 100},
                                                 {"quantidade", 1},
                                                 {"amort", 0},
                                                 {"valortotal", 100},
                                                 {"apagado", "N"},
                                                 {"tipo", 0}},
                                                colunas});
}

QString ConteudoDasTabelas(Connection &conexao,
                           std::initializer_list<std::pair<const char *, const char *>> tabelas) {
    QString texto;
    for (const auto &[tabela, ordem] : tabelas) {
        const ResultSet r = conexao.abre(
            QStringLiteral("select * from %1 order by %2").arg(QLatin1String(tabela), QLatin1String(ordem)));
        texto += QLatin1String(tabela) + u'\n';
        for (int l = 0; l < r.linhas(); ++l) {
            QStringList colunas;
            for (int c = 0; c < r.quantidadeCampos(); ++c)
                colunas << (r.valor(l, c).nulo() ? QStringLiteral("NULL") : r.valor(l, c).texto());
            texto += colunas.join(u' ') + u'\n';
        }
    }
    return texto;
}
