// Whole generation runs: the documents handed to the component, the receivables that get their number,
// the stored settings, the remittance file, and the stops before anything is written.
#include "tests/generation/GeracaoDeTeste.h"

#include "db/Connection.h"
#include "generation/Documentos.h"
#include "generation/Numeracao.h"
#include "tests/support/LeituraPdf.h"
#include "util/Erro.h"

#include <QDir>
#include <QFile>

using automation::Currency;

namespace {

class GeracaoTest : public GeracaoDeTeste {
protected:
    int documentos() const { return int(bolix.get(QStringLiteral("DocumentosCobranca.Count")).toInt()); }
};

TEST_F(GeracaoTest, PorClienteGeraOsMarcadosGravaONumeroEARemessa) {
    cliente(1);
    cliente(2);
    cliente(3, {{"cgc", "11.222.333/0001-81"}, {"uf", " "}, {"endereco", "Rua \"Aspas\" \\ Barra"}});
    banco.receber({{"clientes_id", 1}, {"numlanc", 123456789012}});                               // 1
    banco.receber({{"clientes_id", 1}, {"valortotal", 50}});                                      // 2
    banco.receber({{"clientes_id", 1}, {"datahora", QDateTime(hoje.addDays(-1), QTime(10, 0))}}); // 3
    banco.receber({{"clientes_id", 1}, {"apagado", "S"}});                                        // 4
    banco.receber({{"clientes_id", 1}, {"amort", 100}});                                          // 5
    banco.receber({{"clientes_id", 2}});                                                          // 6
    banco.receber({{"clientes_id", 3}, {"numlanc", 4711}});                                       // 7
    instalacao.ruvenal({"num_agencia=1584", "conta_corrente=210169", "identificacao_empresa=1234567",
                        "nossonumero=41", "valor_taxa=1,5", "especie_titulo=5", "valor_juros=0,33"});
    listaClientes();
    marca(*clientes, {1, 3});

    gera();

    const QString arquivo = QDir(destino.path()).filePath(QStringLiteral("remessa.rem"));
    EXPECT_EQ(
        mensagens.mostradas,
        (QStringList{"mensagem: Será adicionado a taxa do boleto no valor de R$ 1,50 para cada cliente!",
                     "pergunta: Deseja gerar o arquivo de remessa para o banco?",
                     "mensagem: Arquivo de Remessa gerado: 2 títulos gravados em " + arquivo}));
    EXPECT_EQ(titulo, QStringLiteral("Ruvenal 1.0.0.34 - 11 "));
    EXPECT_EQ(campos.CodigosMarcados, (QList<qint64>{1, 3}));
    EXPECT_EQ(campos.SequenciaRemessa, 1);

    ASSERT_EQ(documentos(), 2);
    const QString numlanc = clientes->valor(0, "numlanc").texto();
    EXPECT_EQ(doc(0, "NumeroDocumento"), QStringLiteral("%1").arg(numlanc.right(10), 10, QLatin1Char('0')));
    EXPECT_EQ(doc(0, "NossoNumero"), QStringLiteral("0000000041"));
    EXPECT_EQ(doc(1, "NossoNumero"), QStringLiteral("0000000042"));
    EXPECT_EQ(doc(0, "CPFSacado"), QStringLiteral("12345678909"));
    EXPECT_EQ(doc(1, "CNPJSacado"), QStringLiteral("11.222.333/0001-81"));
    EXPECT_EQ(doc(0, "EnderecoSacado"), QStringLiteral("Rua das Flores 12"));
    EXPECT_EQ(doc(1, "EnderecoSacado"), QStringLiteral("Rua \"Aspas\" \\ Barra 12"));
    EXPECT_EQ(doc(1, "EstadoSacado"), QStringLiteral("SP"));
    EXPECT_EQ(doc(0, "CepSacado"), QStringLiteral("13010000"));
    EXPECT_EQ(doc(0, "DataVencimento"), hoje.addDays(10).toString(QStringLiteral("dd/MM/yyyy")));
    EXPECT_EQ(doc(0, "TipoDocumentoCobranca"), QStringLiteral("DM"));
    EXPECT_EQ(doc(0, "ValorJurosDiaAtraso"), QStringLiteral("0.33"));
    // 100 + 50 + the fee, in the component's currency.
    EXPECT_EQ(boleto::ObjetoBolix(bolix.item(QStringLiteral("DocumentosCobranca"), 0).toObject())
                  .get(QStringLiteral("ValorDocumento")),
              automation::Variant(Currency{1'515'000}));

    // Only the open receivables of the period of the marked clients.
    const QString n1 = doc(0, "NumeroDocumento");
    for (const auto &[receber, esperado] : {std::pair{1, n1},
                                            {2, n1},
                                            {3, QStringLiteral("NULL")},
                                            {4, QStringLiteral("NULL")},
                                            {5, QStringLiteral("NULL")},
                                            {6, QStringLiteral("NULL")},
                                            {7, QStringLiteral("0000004711")}})
        EXPECT_EQ(numeroDocumento(receber), esperado) << receber;

    EXPECT_EQ(chave("nossonumero"), QStringLiteral("43"));
    EXPECT_EQ(chave("sequencia_remessa"), QStringLiteral("1"));
    EXPECT_EQ(chave("endereco_destino"), destino.path());
    EXPECT_EQ(chave("cod_empresa"), QStringLiteral("1"));

    QFile f(arquivo);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QList<QByteArray> linhas = f.readAll().split('\n');
    EXPECT_GE(linhas.size(), 7);
    for (const QByteArray &l : linhas.mid(0, linhas.size() - 1))
        EXPECT_EQ(l.size(), 241) << "240 characters and CR: " << l.constData();
}

TEST_F(GeracaoTest, PorEmpresaNumeraOsRecebiveisDaEmpresaEImprime) {
    banco.empresa(2);
    cliente(1);
    cliente(2, {{"empresa_id", 2}});
    banco.receber({{"clientes_id", 1}, {"numlanc", 4711}});
    banco.receber({{"clientes_id", 2}});
    listaEmpresas();
    marca(*empresas, {1});
    controles.cbImprimir = true;
    mensagens.respostas = {Mensagens::Resposta::Nao};

    gera();

    ASSERT_EQ(documentos(), 1);
    EXPECT_EQ(doc(0, "CNPJSacado"), QStringLiteral("12.345.678/0001-95"));
    EXPECT_EQ(doc(0, "EnderecoSacado"), QStringLiteral("Av. Paulista 1000"));
    EXPECT_EQ(doc(0, "NossoNumero"), QStringLiteral("0000000041")); // component bank 001, installation 11
    EXPECT_EQ(numeroDocumento(1), doc(0, "NumeroDocumento"));
    EXPECT_EQ(numeroDocumento(2), QStringLiteral("NULL"));
    EXPECT_EQ(campos.CodigosMarcados, QList<qint64>{1});
    EXPECT_EQ(chave("nossonumero"), QStringLiteral("42"));
    // The operator's no still uses up the sequence number.
    EXPECT_EQ(chave("sequencia_remessa"), QStringLiteral("1"));
    // No remittance; the printed boleto lies beside where it would go, for the company and its amount.
    EXPECT_FALSE(QFile::exists(remessa()));
    const QStringList pdfs = QDir(destino.path()).entryList({QStringLiteral("*.pdf")});
    ASSERT_EQ(pdfs.size(), 1);
    const QString pdf = QDir(destino.path()).filePath(pdfs[0]);
    ASSERT_EQ(leitura::paginas(pdf), 1);
    const QString texto = leitura::texto(pdf, 1);
    EXPECT_TRUE(texto.contains(QStringLiteral("Empresa 1")) && texto.contains(QStringLiteral("R$ 100,00")))
        << texto.toStdString();
}

TEST_F(GeracaoTest, SemMarcadosAindaUsaASequenciaEGravaONossoNumero) {
    cliente(1);
    banco.receber();
    listaClientes();
    campos.CodigosMarcados = {7, 8};
    gera();
    EXPECT_EQ(documentos(), 0);
    EXPECT_EQ(campos.CodigosMarcados, (QList<qint64>{7, 8}));
    EXPECT_EQ(chave("nossonumero"), QStringLiteral("41"));
    EXPECT_EQ(chave("sequencia_remessa"), QStringLiteral("1"));
    EXPECT_EQ(numeroDocumento(1), QStringLiteral("NULL"));
    EXPECT_EQ(boletosRegistrados(), 0);
}

// The stops before the account set-up: their message, and nothing written, the sequence included.
TEST_F(GeracaoTest, ParadasAntesDeGerar) {
    cliente(1, {{"agencia", "0"}});
    banco.receber();
    const QString debitoEmpresa =
        "atencao: Você não pode gerar débito em conta corrente para empresas. Opção "
        "válida somente para clientes.";
    struct Caso {
        std::function<void()> prepara;
        QStringList mensagens;
        const char *sequencia;
    };
    const Caso casos[] = {
        {[] {}, {"atencao: Define uma pesquisa para gerar os boletos."}, "(nenhum)"},
        {[this] {
             listaEmpresas();
             controles.checkDebitoCC = true;
         },
         {debitoEmpresa},
         "(nenhum)"},
        {[this] {
             listaClientes();
             estado.Configurado = false;
             mensagens.respostas = {Mensagens::Resposta::Nao};
         },
         {"perguntaSimNao: A primeira vez que o boleto será gerado!\rAs configurações do boleto já estão "
          "corretas?"},
         "(nenhum)"},
        {[this] {
             listaClientes();
             marca(*clientes, {1});
             controles.checkDebitoCC = true;
         },
         {"atencao: Existem registros marcado com conta e agencia inválida. Desmarque-os e gere os boletos, "
          "ou "
          "arrume o cadastro e gere novamente."},
         "(nenhum)"},
    };
    for (const Caso &c : casos) {
        clientes.reset();
        empresas.reset();
        controles = {.periodo = controles.periodo, .DirFinal = destino.path()};
        estado.Configurado = true;
        mensagens.mostradas.clear();
        QFile::remove(instalacao.arquivo(QStringLiteral("sistema_zel.ini")));
        c.prepara();
        gera();
        EXPECT_EQ(mensagens.mostradas, c.mensagens);
        EXPECT_EQ(chave("sequencia_remessa"), QLatin1String(c.sequencia));
        EXPECT_EQ(chave("nossonumero"), QStringLiteral("(nenhum)"));
        EXPECT_EQ(numeroDocumento(1), QStringLiteral("NULL"));
    }
}

TEST_F(GeracaoTest, RecusadosPeloBancoNaoUsamASequencia) {
    cliente(1, {{"cep", "123"}});
    banco.receber();
    listaClientes();
    marca(*clientes, {1});
    gera();
    ASSERT_EQ(mensagens.mostradas.size(), 1);
    EXPECT_TRUE(mensagens.mostradas[0].startsWith(
        QStringLiteral("atencao: O banco recusaria os boletos destes registros.")))
        << mensagens.mostradas[0].toStdString();
    EXPECT_EQ(chave("sequencia_remessa"), QStringLiteral("(nenhum)"));
    EXPECT_EQ(numeroDocumento(1), QStringLiteral("NULL"));
    EXPECT_EQ(boletosRegistrados(), 0);
}

TEST_F(GeracaoTest, SequenciaQueNaoSeGravaParaARodada) {
    cliente(1);
    banco.receber();
    listaClientes();
    AmbienteGeracao ambiente{estado,          instalacao.pasta(),
                             bolix,           IniFile(QStringLiteral("/nao/existe/sistema_zel.ini")),
                             banco.conexao(), {}};
    GerarArquivo(controles, {&*clientes, nullptr}, campos, ambiente, [](const QString &) {});
    ASSERT_EQ(mensagens.mostradas.size(), 2);
    EXPECT_TRUE(mensagens.mostradas[0].contains(QStringLiteral("/nao/existe/sistema_zel.ini")));
    EXPECT_EQ(mensagens.mostradas[1],
              QStringLiteral("mensagem: Não foi possível obter a sequência para o arquivo de remessa!"));
}

// The component numbers the file with 32 bits: a stored sequence at that limit, or below zero, would wrap
// and repeat the bank's file numbers, so it is refused and kept.
TEST_F(GeracaoTest, SequenciaNoLimiteNaoDaVolta) {
    const ContaNumerada conta = ContaDaInstalacao(estado, instalacao.ini());
    for (const char *guardada : {"2147483647", "-5"}) {
        mensagens.mostradas.clear();
        instalacao.ini().gravarTexto(QStringLiteral("Ruvenal"), QStringLiteral("sequencia_remessa"),
                                     QLatin1String(guardada));
        EXPECT_EQ(PegaSequenciaRemessa(instalacao.ini(), banco.conexao(), conta), -1);
        ASSERT_EQ(mensagens.mostradas.size(), 1);
        EXPECT_TRUE(mensagens.mostradas[0].contains(QLatin1String(guardada)))
            << mensagens.mostradas[0].toStdString();
        EXPECT_EQ(chave("sequencia_remessa"), QLatin1String(guardada));
    }
    instalacao.ini().gravarTexto(QStringLiteral("Ruvenal"), QStringLiteral("sequencia_remessa"),
                                 QStringLiteral("2147483646"));
    EXPECT_EQ(PegaSequenciaRemessa(instalacao.ini(), banco.conexao(), conta), 2147483647);
    // The table then holds the limit: the next would wrap, whatever the file says.
    instalacao.ini().gravarTexto(QStringLiteral("Ruvenal"), QStringLiteral("sequencia_remessa"),
                                 QStringLiteral("1"));
    EXPECT_EQ(PegaSequenciaRemessa(instalacao.ini(), banco.conexao(), conta), -1);
}

TEST_F(GeracaoTest, RegistrosQueOBancoRecusariaParamAntesDeGravar) {
    cliente(1, {{"cep", nullptr}});
    cliente(2, {{"cpf", ""}, {"uf", "S"}});
    cliente(3);
    for (int c : {1, 2, 3})
        banco.receber({{"clientes_id", c}});
    listaClientes();
    marca(*clientes, {1, 2, 3});

    gera();

    ASSERT_EQ(mensagens.mostradas.size(), 1);
    const QStringList linhas = mensagens.mostradas[0].split(u'\r');
    ASSERT_EQ(linhas.size(), 3) << mensagens.mostradas[0].toStdString();
    EXPECT_TRUE(linhas[1].startsWith(QStringLiteral("1 Cliente 1: "))) << linhas[1].toStdString();
    EXPECT_TRUE(linhas[1].contains(QStringLiteral("CepSacado")));
    EXPECT_TRUE(linhas[2].startsWith(QStringLiteral("2 Cliente 2: ")));
    EXPECT_TRUE(linhas[2].contains(QStringLiteral("CPFSacado")) &&
                linhas[2].contains(QStringLiteral("EstadoSacado")))
        << linhas[2].toStdString();
    EXPECT_EQ(documentos(), 0);
    EXPECT_EQ(chave("nossonumero"), QStringLiteral("41"));
    for (int r : {1, 2, 3})
        EXPECT_EQ(numeroDocumento(r), QStringLiteral("NULL"));
}

// A setting only the remittance needs (Sicredi's CNAB 240 takes the código do beneficiário's DV, which the
// boleto does not carry) stops the run once the account is set up, naming the key: no document built,
// printed or numbered. With the DV the same run prints and writes its remittance.
TEST_F(GeracaoTest, RemessaQueSeriaRecusadaParaAntesDeImprimir) {
    estado.banco = QStringLiteral("748");
    instalacao.bolix({"banco=748", "posto=02", "nome_beneficiario=LOJA MODELO LTDA",
                      "inscricao_beneficiario=12345678000195", "imprimir=N"});
    const auto conta = [this](const char *codigo) {
        instalacao.ruvenal({"num_agencia=0165", "conta_corrente=12345-6", "nossonumero=3",
                            QStringLiteral("identificacao_empresa=") + QLatin1String(codigo)});
    };
    conta("00623");
    for (int c : {1, 2}) {
        cliente(c);
        banco.receber({{"clientes_id", c}});
    }
    listaClientes();
    marca(*clientes, {1, 2});
    controles.cbImprimir = true;
    const auto pdfs = [this] { return QDir(destino.path()).entryList({QStringLiteral("*.pdf")}); };

    gera();

    ASSERT_EQ(mensagens.mostradas.size(), 1);
    EXPECT_EQ(
        mensagens.mostradas[0].section(u'\r', 0, 0),
        QStringLiteral("atencao: O arquivo de remessa não poderia ser gerado. Arrume as configurações do "
                       "boleto e gere novamente:"));
    EXPECT_TRUE(mensagens.mostradas[0].section(u'\r', 1).startsWith(
        QStringLiteral("CodigoCedente \"00623\" sem o dígito verificador")))
        << mensagens.mostradas[0].toStdString();
    EXPECT_TRUE(pdfs().isEmpty());
    EXPECT_EQ(documentos(), 0);
    EXPECT_EQ(numeroDocumento(1), QStringLiteral("NULL"));
    EXPECT_EQ(chave("nossonumero"), QStringLiteral("3"));
    EXPECT_EQ(boletosRegistrados(), 0);

    conta("00623-8");
    mensagens.mostradas.clear();
    gera();
    EXPECT_TRUE(remessaGerada(2));
    EXPECT_EQ(pdfs().size(), 1);
    EXPECT_EQ(chave("nossonumero"), QStringLiteral("5"));
}

// Empty names, the longest texts the columns hold, quotes and backslashes: the bank's file takes them as
// its fields allow.
TEST_F(GeracaoTest, TextosNulosOuLongosChegamAoArquivo) {
    cliente(1, {{"nome", nullptr}, {"bairro", nullptr}, {"cidade", nullptr}});
    cliente(2, {{"nome", QString(50, u'N')},
                {"endereco", QStringLiteral("Rua \"O'Higgins\" \\ ") + QString(40, u'E')},
                {"numero1", QString(20, u'9')},
                {"cidade", QString(30, u'C')}});
    for (int c : {1, 2})
        banco.receber({{"clientes_id", c}});
    listaClientes();
    marca(*clientes, {1, 2});

    gera();

    ASSERT_TRUE(remessaGerada(2));
    EXPECT_EQ(doc(0, "NomeSacado"), QString());
    QFile f(remessa());
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    for (const QByteArray &l : f.readAll().split('\n'))
        EXPECT_TRUE(l.isEmpty() || l.size() == 241) << l.constData();
}

// Five marked clients with one receivable each; the counter at 8.
class GeracaoQueParaNoMeio : public GeracaoTest {
protected:
    void SetUp() override {
        GeracaoTest::SetUp();
        for (int c = 1; c <= 5; ++c) {
            cliente(c);
            banco.receber({{"clientes_id", c}});
        }
    }
    void listaEMarca() {
        listaClientes();
        marca(*clientes, {1, 2, 3, 4, 5});
    }
    QString erroDaRodada() {
        try {
            gera();
        } catch (const std::exception &e) {
            return textoDoErro(e);
        }
        ADD_FAILURE() << "the run must stop";
        return {};
    }
    // No receivable numbered, the file's counter still at `nossonumero` and the next number `proximo`, no
    // transaction left open.
    void nadaGravado(const char *nossonumero, qint64 proximo) {
        for (int r = 1; r <= 5; ++r)
            EXPECT_EQ(numeroDocumento(r), QStringLiteral("NULL")) << r;
        EXPECT_EQ(chave("nossonumero"), QLatin1String(nossonumero));
        EXPECT_EQ(proximoNossoNumero(), proximo);
        EXPECT_EQ(boletosRegistrados(), 0);
        EXPECT_FALSE(banco.conexao().emTransacao());
    }
};

TEST_F(GeracaoQueParaNoMeio, FaixaDoNossoNumeroQueAcabaNaTerceira) {
    instalacao.ruvenal({"num_agencia=1584", "conta_corrente=210169", "identificacao_empresa=1234567",
                        "nossonumero=8", "fim_nosso_numero=9"});
    listaEMarca();
    EXPECT_EQ(erroDaRodada().toStdString(),
              QStringLiteral("O boleto do registro 3 Cliente 3 não foi gerado: Documento %1: NossoNumero "
                             "0000000010 fora da faixa configurada (8 a 9).\rNada foi gravado.")
                  .arg(clientes->valor(2, "numlanc").texto().right(10).rightJustified(10, u'0'))
                  .toStdString());
    // Nothing printed or written: the numbers went back.
    nadaGravado("8", 8);
}

TEST_F(GeracaoQueParaNoMeio, EscritaRecusadaNaTerceiraDesfazAsAnteriores) {
    instalacao.ruvenal(
        {"num_agencia=1584", "conta_corrente=210169", "identificacao_empresa=1234567", "nossonumero=8"});
    banco.conexao().executa(QStringLiteral(
        "create trigger falha before update on receber for each row begin if new.clientes_id = 3 then "
        "signal sqlstate '45000' set message_text = 'falha simulada'; end if; end"));
    listaEMarca();
    EXPECT_TRUE(erroDaRodada().contains(QStringLiteral("falha simulada")));
    // The numbers were taken before they were written: a gap, never a number handed out twice.
    nadaGravado("8", 13);
}

TEST_F(GeracaoTest, NossoNumeroDeMaisDe32Bits) {
    cliente(1);
    banco.receber();
    instalacao.ruvenal({"nossonumero=5000000000", "num_agencia=1584", "conta_corrente=210169",
                        "identificacao_empresa=1234567"});
    listaClientes();
    marca(*clientes, {1});
    mensagens.respostas = {Mensagens::Resposta::Nao};
    gera();
    EXPECT_EQ(doc(0, "NossoNumero"), QStringLiteral("5000000000"));
    EXPECT_EQ(chave("nossonumero"), QStringLiteral("5000000001"));
}

TEST_F(GeracaoTest, NossoNumeroQueNaoEhInteiroParaAntesDaConta) {
    cliente(1);
    banco.receber();
    instalacao.ruvenal({"nossonumero=12.5"});
    listaClientes();
    marca(*clientes, {1});
    try {
        gera();
        ADD_FAILURE() << "the run must stop";
    } catch (const Erro &e) {
        EXPECT_EQ(e.texto(),
                  QStringLiteral("O valor \"12.5\" da chave nossonumero (seção [Ruvenal] de "
                                 "sistema_zel.ini) não é um número inteiro. Corrija-o antes de gerar "
                                 "os boletos."));
    }
    EXPECT_TRUE(titulo.isEmpty());
    EXPECT_EQ(numeroDocumento(1), QStringLiteral("NULL"));
    EXPECT_EQ(chave("nossonumero"), QStringLiteral("12.5"));
}

} // namespace
