// One charge document as the component receives it: every member, its value and form, in the order given.
#include "tests/generation/GeracaoDeTeste.h"

#include "generation/Documentos.h"
#include "tests/support/RecordingDispatch.h"

namespace {

class DocumentosTest : public GeracaoDeTeste {
protected:
    std::shared_ptr<RecordingDispatch> gravador = std::make_shared<RecordingDispatch>();

    void SetUp() override {
        GeracaoDeTeste::SetUp();
        const auto doc = gravador->child(QStringLiteral("DocumentosCobranca"))->child(QStringLiteral("Add"));
        doc->child(QStringLiteral("MeusDados"))->child(QStringLiteral("Add"));
        doc->child(QStringLiteral("PadroesBoleto"));
        // Read back for the record of issued boletos.
        gravador->child(QStringLiteral("MeusDados"));
        bolix = boleto::ObjetoBolix(gravador);
    }
    void geraDocumentos() {
        AmbienteGeracao ambiente{estado, instalacao.pasta(), bolix, instalacao.ini(), banco.conexao(), {}};
        GerarDocumentos(controles, *clientes, campos, ambiente);
    }
};

TEST_F(DocumentosTest, UmDocumentoPorClienteComTodosOsMembrosNaOrdem) {
    estado.banco = QStringLiteral("756");
    estado.carteira = QStringLiteral("1234");
    instalacao.ruvenal({"identificacao_empresa=5678", "conta_corrente=12.345-6", "nossonumero=43",
                        "especie_titulo=5", "dias_protesto=3", "valor_juros=0,33", "valor_multa=2",
                        "valor_desconto=1,5", "valor_acrescimo=0,25", "instrucao=Não receber após 30 dias",
                        "num_linhas_demonstrativo=1", "demonstrativo0=Compras de março",
                        "demonstrativo1=Obrigado"});
    cliente(1, {{"uf", ""}});
    cliente(2);
    banco.receber({{"clientes_id", 2}});
    banco.receber({{"clientes_id", 1}, {"numlanc", 123456789012}});
    listaClientes();
    marca(*clientes, {1});
    controles.checkDebitoCC = true;
    controles.cbImprimir = true;
    campos.TaxaBoleto = Money::deCentavos(150);

    geraDocumentos();

    const QString hoje = this->hoje.toString(QStringLiteral("dd/MM/yyyy"));
    const QStringList esperado{
        "get DocumentosCobranca", "call Clear()", "get DocumentosCobranca", "call Add()",
        "set BancoGeraNossoNumero = Bool(False)",
        // Bank 756: its leading agreement from the account digits, acceptance, the bank issues it.
        "get MeusDados", "call Add()", "set Nome = Text(CodigoConvenioLider)", "set Valor = Text(000123456)",
        "set Aceite = Text(0)", "set BancoEmiteBoleto = Bool(True)",
        // The last ten characters of numlanc.
        "set NumeroDocumento = Text(3456789012)", "set NomeSacado = Text(Cliente 1)",
        "set CPFSacado = Text(12345678909)", "set EnderecoSacado = Text(Rua das Flores 12)",
        "set BairroSacado = Text(Centro)", "set CidadeSacado = Text(Campinas)", "set EstadoSacado = Text(SP)",
        "set CepSacado = Text(13010000)", "set DataDocumento = Text(" + hoje + ")",
        "set DataVencimento = Text(" + this->hoje.addDays(10).toString(QStringLiteral("dd/MM/yyyy")) + ")",
        "set DataProcessamento = Text(" + hoje + ")",
        // 100 + the fee of 1,50.
        "set ValorDocumento = Currency(101.5)", "set TipoDocumentoCobranca = Text(DM)",
        "set DiasProtesto = Int(3)", "set ValorJurosDiaAtraso = Currency(0.33)",
        "set ValorMultaAtraso = Currency(2)", "set ValorDesconto = Currency(1.5)",
        "set ValorOutrosAcrescimos = Currency(0.25)", "set InstrucaoCobranca3 = Text(2)", "get PadroesBoleto",
        "set InstrucoesCaixa = Text(Não receber após 30 dias)", "get PadroesBoleto",
        "set Demonstrativo = Text(Compras de março<br>Obrigado<br>)", "set NossoNumero = Text(00000437)",
        "get MeusDados", "call Add()", "set Nome = Text(BancoDistribuiBoleto)", "set Valor = Text(S)",
        "set AgenciaDebito = Text(1234)", "set ContaCorrenteDebito = Text(56789-0)", "call ImprimeBoletos()"};
    EXPECT_EQ(gravador->log().join(u'\n').toStdString(), esperado.join(u'\n').toStdString());
    EXPECT_EQ(chave("nossonumero"), QStringLiteral("44"));
    EXPECT_EQ(numeroDocumento(2), QStringLiteral("3456789012"));
    EXPECT_EQ(numeroDocumento(1), QStringLiteral("NULL"));
}

TEST_F(DocumentosTest, OutraEspecieLevaPercentuais) {
    instalacao.ruvenal({"valor_juros=0,33", "especie_titulo=21"});
    estado.banco = QStringLiteral("237");
    cliente(1);
    banco.receber();
    listaClientes();
    marca(*clientes, {1});
    controles.cbDtVenc = false;
    geraDocumentos();
    const QStringList log = gravador->log();
    EXPECT_TRUE(log.contains(QStringLiteral("set PercentualJurosDiaAtraso = Currency(0.33)")));
    for (const char *ausente : {"set TipoDocumentoCobranca", "set DiasProtesto", "set InstrucaoCobranca3",
                                "set DataVencimento", "call ImprimeBoletos", "set Nome ="})
        EXPECT_TRUE(log.filter(QLatin1String(ausente)).isEmpty()) << ausente;
}

} // namespace
