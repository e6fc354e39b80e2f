// The numbers of a bank account come from the database: no nosso número or remittance sequence is handed
// out twice, whatever the stations' files say, and the record of issued boletos refuses a repeat.
#include "tests/generation/GeracaoDeTeste.h"

#include "db/Connection.h"
#include "generation/BoletosEmitidos.h"
#include "generation/Numeracao.h"
#include "util/Erro.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QSysInfo>
#include <QThread>

namespace {

class NumeracaoTest : public GeracaoDeTeste {
protected:
    // Clients 1 to `quantos`, one receivable each.
    void clientesComReceber(int quantos) {
        for (int c = 1; c <= quantos; ++c) {
            cliente(c);
            banco.receber({{"clientes_id", c}});
        }
    }
    void ajustaIni(const InstalacaoDeTeste &i, const QStringList &numeros) {
        i.ruvenal(QStringList{"num_agencia=1584", "conta_corrente=210169", "identificacao_empresa=1234567"} +
                  numeros);
    }
    // A run for the clients given, remittance written; the nosso números handed to the component.
    QStringList geraPara(std::initializer_list<qint64> ids) {
        listaClientes();
        marca(*clientes, ids);
        gera();
        QStringList nossos;
        for (int i = 0; i < int(bolix.get(QStringLiteral("DocumentosCobranca.Count")).toInt()); ++i)
            nossos << doc(i, "NossoNumero");
        return nossos;
    }
    // A station in a process of its own, from installation `inst`, for clients `de` to `ate`; see
    // EstacaoDeTeste.cpp for `partida` and `parada`.
    void preparaEstacao(QProcess &p, const InstalacaoDeTeste &inst, int caixa, int de, int ate,
                        const QString &partida, const QString &parada = {}) {
        QProcessEnvironment ambiente = QProcessEnvironment::systemEnvironment();
        ambiente.insert(QStringLiteral("BOLIX_INI"), inst.arquivo(QStringLiteral("bolix.ini")));
        p.setProcessEnvironment(ambiente);
        p.setProgram(QStringLiteral(ESTACAO_DE_TESTE));
        QStringList args{inst.pasta(),        banco.nome(),         QString::number(caixa),
                         QString::number(de), QString::number(ate), partida};
        if (!parada.isEmpty())
            args << parada;
        p.setArguments(args);
    }
    static void terminou(QProcess &p) {
        ASSERT_TRUE(p.waitForFinished(60000));
        const QString saida = QString::fromUtf8(p.readAllStandardOutput() + p.readAllStandardError());
        EXPECT_EQ(p.exitCode(), 0) << saida.toStdString();
        EXPECT_TRUE(saida.contains(QStringLiteral("Arquivo de Remessa gerado: 6 títulos")))
            << saida.toStdString();
    }
    static bool espera(const QString &arquivo) {
        for (int vez = 0; vez < 3000 && !QFile::exists(arquivo); ++vez)
            QThread::msleep(10);
        return QFile::exists(arquivo);
    }
    QStringList coluna(const QString &sql) {
        const ResultSet r = banco.conexao().abre(sql);
        QStringList valores;
        for (int i = 0; i < r.linhas(); ++i)
            valores << r.valor(i, 0).texto();
        return valores;
    }
};

// The file's value is the floor: a fresh set-up starts at 1, a value lowered by hand below what was issued
// goes on after the highest, a value raised by hand is taken. The file gets the database's values after.
TEST_F(NumeracaoTest, OArquivoEhOPisoEOBancoDeDadosSegue) {
    clientesComReceber(2);
    struct Caso {
        QStringList ini;
        QStringList nossos;
        int sequencia;
        const char *proximo;
    };
    const Caso casos[] = {
        {{}, {"0000000001", "0000000002"}, 1, "3"},
        {{"nossonumero=1", "sequencia_remessa=0"}, {"0000000003", "0000000004"}, 2, "5"},
        {{"nossonumero=100", "sequencia_remessa=50"}, {"0000000100", "0000000101"}, 51, "102"},
    };
    for (const Caso &c : casos) {
        ajustaIni(instalacao, c.ini);
        EXPECT_EQ(geraPara({1, 2}), c.nossos);
        EXPECT_EQ(campos.SequenciaRemessa, c.sequencia);
        EXPECT_EQ(chave("nossonumero"), QLatin1String(c.proximo));
        EXPECT_EQ(chave("sequencia_remessa"), QString::number(c.sequencia));
        EXPECT_EQ(proximoNossoNumero(), QByteArray(c.proximo).toLongLong());
    }
    EXPECT_EQ(boletosRegistrados(), 6);
}

// Counters set back by hand, in the database and in the file: the run stops before anything is printed or
// written, naming the number as printed and the station that issued it.
TEST_F(NumeracaoTest, RepetidoNaBaseRecusadoAntesDeImprimir) {
    clientesComReceber(3);
    estado.NumCaixa = 5;
    geraPara({1, 2});
    banco.conexao().executa(QStringLiteral("update ruvenal_numeracao set nosso_numero = 42"));
    ajustaIni(instalacao, {"nossonumero=42"});
    const ResultSet primeiro = banco.conexao().abre(QStringLiteral(
        "select nosso_numero_impresso, emitido_em from ruvenal_boletos where nosso_numero = '0000000042'"));
    ASSERT_EQ(primeiro.linhas(), 1);
    estado.NumCaixa = 6;
    controles.cbImprimir = true;
    mensagens.mostradas.clear();

    QString erro;
    try {
        geraPara({1, 2, 3});
    } catch (const Erro &e) {
        erro = e.texto();
    }

    EXPECT_EQ(erro,
              QStringLiteral("O nosso número %1 já foi emitido em %2 pela estação %3, caixa 5. A numeração "
                             "foi alterada à mão? Nada foi gravado nem impresso.")
                  .arg(primeiro.valor(0, 0).texto(),
                       primeiro.valor(0, 1).dataHora().toString(QStringLiteral("dd/MM/yyyy hh:mm")),
                       QSysInfo::machineHostName()));
    EXPECT_EQ(primeiro.valor(0, 0).texto(), u"12345670000000042");
    EXPECT_TRUE(QDir(destino.path()).entryList({QStringLiteral("*.pdf")}).isEmpty());
    EXPECT_EQ(boletosRegistrados(), 2);
    EXPECT_EQ(numeroDocumento(3), QStringLiteral("NULL"));
    EXPECT_EQ(mensagens.mostradas.filter(QStringLiteral("remessa")), QStringList());
    EXPECT_FALSE(banco.conexao().emTransacao());
}

// A record written by an earlier version, repeats included: brought to the present shape without losing a
// row, the values in the cents the boletos printed; its repeats are named and keep the key away until they
// are gone, and then the key refuses one.
TEST_F(NumeracaoTest, RegistroAntigoMudaNoLugarEDizOsRepetidos) {
    Connection &c = banco.conexao();
    QString antiga = sqlCriaBoletosEmitidos();
    antiga.replace(QStringLiteral(" nosso_numero_impresso varchar(40) not null default '',\n"), QString())
        .replace(QStringLiteral(" estacao varchar(64) not null default '',\n"), QString())
        .replace(QStringLiteral("valor decimal(19,2)"), QStringLiteral("valor decimal(19,4)"))
        .replace(QStringLiteral("convenio varchar(255) not null default ''"),
                 QStringLiteral("convenio varchar(255)"));
    c.executa(antiga);
    ASSERT_TRUE(coluna(QStringLiteral("show columns from ruvenal_boletos like 'estacao'")).isEmpty());
    const auto antigo = [&](int codigo, const char *nosso, const char *valor, const char *convenio) {
        c.executa(
            QStringLiteral("insert into ruvenal_boletos (tipo_sacado, codigo, banco, carteira, convenio, "
                           "nosso_numero, valor, emitido_em) values ('C', %1, '001', '17', %2, '%3', %4, "
                           "now())")
                .arg(codigo)
                .arg(QLatin1String(convenio), QLatin1String(nosso), QLatin1String(valor)));
    };
    antigo(1, "0000000001", "243.3926", "'1234567'");
    antigo(2, "0000000002", "10.005", "'1234567'");
    antigo(3, "0000000002", "20.015", "'1234567'");
    antigo(4, "0000000002", "5", "null");

    const QStringList repetidos = PreparaBoletosEmitidos(c);

    EXPECT_EQ(repetidos,
              QStringList{"nosso número 0000000002 (banco 001, carteira 17, convênio 1234567): 2 boletos"});
    EXPECT_EQ(
        coluna(QStringLiteral("select concat(codigo, ':', valor, ':', convenio, ':', nosso_numero_impresso, "
                              "':', estacao) from ruvenal_boletos order by codigo")),
        (QStringList{"1:243.39:1234567::", "2:10.00:1234567::", "3:20.02:1234567::", "4:5.00:::"}));
    EXPECT_EQ(PreparaBoletosEmitidos(c), repetidos);
    c.executa(QStringLiteral("delete from ruvenal_boletos where codigo = 3"));
    EXPECT_EQ(PreparaBoletosEmitidos(c), QStringList());
    EXPECT_THROW(antigo(5, "0000000001", "1", "'1234567'"), Erro);
    antigo(6, "0000000001", "1", "'7654321'");
}

// Two stations of one store, each with its own sistema_zel.ini at the same values, generating through the
// program's run in processes of their own: one after the other, then at the same moment.
TEST_F(NumeracaoTest, DuasEstacoesNuncaRepetemNumeros) {
    clientesComReceber(12);
    InstalacaoDeTeste segunda;
    const InstalacaoDeTeste *estacoes[] = {&instalacao, &segunda};
    const auto roda = [&](bool juntas, const QString &partida) {
        QProcess processos[2];
        for (int i = 0; i < 2; ++i)
            preparaEstacao(processos[i], *estacoes[i], i + 1, 6 * i + 1, 6 * i + 6, partida);
        if (juntas) {
            for (QProcess &p : processos)
                p.start();
            for (const char *caixa : {".1", ".2"})
                espera(partida + QLatin1String(caixa));
        }
        QFile(partida).open(QIODevice::WriteOnly);
        for (QProcess &p : processos) {
            if (!juntas)
                p.start();
            terminou(p);
        }
    };
    const auto ini = [&](int i, const char *nome) {
        return estacoes[i]->ini().lerTexto(QStringLiteral("Ruvenal"), QLatin1String(nome), QString());
    };
    for (const InstalacaoDeTeste *e : estacoes)
        ajustaIni(*e, {"nossonumero=700", "sequencia_remessa=40"});

    roda(false, destino.filePath(QStringLiteral("uma_depois_da_outra")));
    // Each file gets the database's values as its run left them.
    EXPECT_EQ(ini(0, "nossonumero"), u"706");
    EXPECT_EQ(ini(0, "sequencia_remessa"), u"41");
    EXPECT_EQ(ini(1, "nossonumero"), u"712");
    EXPECT_EQ(ini(1, "sequencia_remessa"), u"42");

    for (const InstalacaoDeTeste *e : estacoes)
        ajustaIni(*e, {"nossonumero=700", "sequencia_remessa=40"});
    roda(true, destino.filePath(QStringLiteral("juntas")));

    EXPECT_EQ(coluna(QStringLiteral("select count(*) from ruvenal_boletos")), QStringList{"24"});
    EXPECT_EQ(coluna(QStringLiteral("select nosso_numero from ruvenal_boletos group by nosso_numero having "
                                    "count(*) > 1")),
              QStringList());
    EXPECT_EQ(coluna(QStringLiteral("select min(nosso_numero) from ruvenal_boletos")),
              QStringList{"0000000700"});
    EXPECT_EQ(coluna(QStringLiteral("select distinct concat(num_caixa, ':', sequencia_remessa) from "
                                    "ruvenal_boletos order by sequencia_remessa"))
                  .size(),
              4);
    EXPECT_EQ(coluna(QStringLiteral("select distinct sequencia_remessa from ruvenal_boletos order by 1")),
              (QStringList{"41", "42", "43", "44"}));
    // The later of the two ends at the database's values.
    EXPECT_EQ(std::max(ini(0, "nossonumero").toInt(), ini(1, "nossonumero").toInt()), 724);
    EXPECT_EQ(proximoNossoNumero(), 724);
    EXPECT_EQ(std::max(ini(0, "sequencia_remessa").toInt(), ini(1, "sequencia_remessa").toInt()), 44);
}

// A station killed at three points of its run: as its documents' walk starts, inside the numbers'
// transaction, at the remittance question. Its boletos and document numbers are there all or not at all, its
// numbers are used up either way, and the other station's next run takes none of them.
TEST_F(NumeracaoTest, EstacaoMortaNoMeioNaoDeixaNumeroPelaMetadeNemRepetido) {
    clientesComReceber(12);
    InstalacaoDeTeste segunda;
    ajustaIni(instalacao, {"nossonumero=700"});
    ajustaIni(segunda, {"nossonumero=700"});
    struct Caso {
        const char *parada;
        int gravados;
    };
    int registrados = 0;
    for (const Caso &c : {Caso{"caminhada", 0}, Caso{"transacao", 0}, Caso{"pergunta", 6}}) {
        const qint64 antes = std::max<qint64>(proximoNossoNumero(), 700);
        const QString partida = destino.filePath(QLatin1String(c.parada));
        QFile(partida).open(QIODevice::WriteOnly);
        QProcess morta;
        preparaEstacao(morta, instalacao, 1, 1, 6, partida, QLatin1String(c.parada));
        morta.start();
        ASSERT_TRUE(espera(partida + QStringLiteral(".parada")))
            << c.parada << morta.readAllStandardError().toStdString();
        morta.kill();
        morta.waitForFinished();

        registrados += c.gravados;
        EXPECT_EQ(boletosRegistrados(), registrados) << c.parada;
        EXPECT_EQ(coluna(QStringLiteral("select count(*) from receber where clientes_id <= 6 and "
                                        "numero_documento is not null")),
                  QStringList{QString::number(c.gravados)})
            << c.parada;
        EXPECT_EQ(proximoNossoNumero(), antes + 6) << c.parada;
        if (c.gravados)
            EXPECT_EQ(chave("nossonumero"), QString::number(antes + 6));

        QProcess outra;
        preparaEstacao(outra, segunda, 2, 7, 12, partida);
        outra.start();
        terminou(outra);
        registrados += 6;
        EXPECT_EQ(coluna(QStringLiteral(
                      "select min(nosso_numero) from ruvenal_boletos where num_caixa = 2 and "
                      "sequencia_remessa = (select max(sequencia_remessa) from ruvenal_boletos)")),
                  QStringList{QStringLiteral("%1").arg(antes + 6, 10, 10, QLatin1Char('0'))})
            << c.parada;
    }
    EXPECT_EQ(boletosRegistrados(), registrados);
    EXPECT_EQ(coluna(QStringLiteral("select nosso_numero from ruvenal_boletos group by nosso_numero having "
                                    "count(*) > 1")),
              QStringList());
}

} // namespace
