-- The management system's tables as this program uses them: the columns it reads and writes, in the
-- types and widths of the store's database. Shared by the tests, the benchmarks and the demo.
-- Every statement ends with a semicolon at the end of a line; nothing else does.

CREATE TABLE empresa (
  empresa_id int(11) NOT NULL,
  nome varchar(60) DEFAULT NULL,
  cgc varchar(25) DEFAULT NULL,
  inscr varchar(25) DEFAULT NULL,
  endereco varchar(60) DEFAULT NULL,
  bairro varchar(30) DEFAULT NULL,
  cidade varchar(30) DEFAULT NULL,
  estado char(2) DEFAULT NULL,
  cep varchar(9) DEFAULT NULL,
  diasjur int(11) DEFAULT 0,
  multa decimal(9,4) DEFAULT 0.0000,
  jurosdia decimal(9,4) DEFAULT 0.0000,
  PRIMARY KEY (empresa_id)
) ENGINE=InnoDB DEFAULT CHARSET=latin1;

CREATE TABLE clientes (
  clientes_id int(11) NOT NULL,
  empresa_id int(11) DEFAULT 0,
  chapa bigint(20) DEFAULT 0,
  nome varchar(50) DEFAULT NULL,
  cgc varchar(20) DEFAULT NULL,
  cpf varchar(20) DEFAULT NULL,
  endereco varchar(60) DEFAULT NULL,
  numero1 varchar(20) DEFAULT NULL,
  bairro varchar(25) DEFAULT NULL,
  cidade varchar(30) DEFAULT NULL,
  uf char(2) DEFAULT NULL,
  cep varchar(9) DEFAULT NULL,
  agencia varchar(5) DEFAULT NULL,
  cc varchar(15) DEFAULT NULL,
  cobra_juros char(1) DEFAULT 'N',
  multa decimal(9,4) DEFAULT 0.0000,
  juros decimal(9,4) DEFAULT 0.0000,
  saldomes decimal(15,4) DEFAULT 0.0000,
  lojas_leram varchar(100) DEFAULT NULL,
  lojas_leram2 varchar(100) DEFAULT NULL,
  PRIMARY KEY (clientes_id),
  KEY clientes_empresa (empresa_id)
) ENGINE=InnoDB DEFAULT CHARSET=latin1;

CREATE TABLE receber (
  filial_id int(11) NOT NULL,
  receber_id int(11) NOT NULL,
  clientes_id int(11) DEFAULT NULL,
  numlanc bigint(20) DEFAULT NULL,
  datahora datetime DEFAULT NULL,
  vencimento date DEFAULT NULL,
  valor decimal(15,4) DEFAULT 0.0000,
  quantidade int(11) DEFAULT 1,
  amort decimal(9,4) DEFAULT 0.0000,
  valortotal decimal(15,4) DEFAULT 0.0000,
  apagado char(1) DEFAULT 'N',
  numero_documento varchar(20) DEFAULT NULL,
  lojas_leram varchar(100) DEFAULT NULL,
  lojas_leram2 varchar(100) DEFAULT NULL,
  tipo int(11) DEFAULT 0,
  dtalteracao date DEFAULT NULL,
  produto_id int(11) DEFAULT NULL,
  usuario_id int(11) DEFAULT NULL,
  numnota int(11) DEFAULT NULL,
  PRIMARY KEY (filial_id, receber_id),
  KEY receber_datahora (datahora),
  KEY receber_vencimento (vencimento),
  KEY receber_clientes (clientes_id),
  KEY receber_documento (numero_documento),
  KEY receber_lojas_leram2 (lojas_leram2)
) ENGINE=InnoDB DEFAULT CHARSET=latin1;

CREATE TABLE filial (
  filial_id int(11) NOT NULL,
  nome varchar(60) DEFAULT NULL,
  cgc varchar(25) DEFAULT NULL,
  relreceberunificado char(1) DEFAULT 'N',
  PRIMARY KEY (filial_id)
) ENGINE=InnoDB DEFAULT CHARSET=latin1;

CREATE TABLE bancos (
  bancos_id varchar(3) NOT NULL,
  descricao varchar(60) DEFAULT NULL,
  PRIMARY KEY (bancos_id)
) ENGINE=InnoDB DEFAULT CHARSET=latin1;

CREATE TABLE nlanc (
  nlanc_id int(11) NOT NULL AUTO_INCREMENT,
  PRIMARY KEY (nlanc_id)
) ENGINE=InnoDB DEFAULT CHARSET=latin1;

-- lib_usuario_id is text: the settlement writes the empty text into it.
CREATE TABLE movment (
  movment_id int(11) NOT NULL AUTO_INCREMENT,
  filial_id int(11) DEFAULT NULL,
  dafilial_id int(11) DEFAULT NULL,
  data_hora datetime DEFAULT NULL,
  produto_id int(11) DEFAULT NULL,
  quanti_uni int(11) DEFAULT NULL,
  usuario_id int(11) DEFAULT NULL,
  preco_unit decimal(15,4) DEFAULT NULL,
  valor_tot decimal(15,4) DEFAULT NULL,
  numlanc bigint(20) DEFAULT NULL,
  oper int(11) DEFAULT NULL,
  numnota int(11) DEFAULT NULL,
  clientes_id int(11) DEFAULT NULL,
  lojas_leram varchar(100) DEFAULT NULL,
  lojas_leram2 varchar(100) DEFAULT NULL,
  lib_usuario_id varchar(10) DEFAULT NULL,
  num_caixa int(11) DEFAULT NULL,
  PRIMARY KEY (movment_id),
  KEY movment_numlanc (numlanc),
  KEY movment_data_hora (data_hora)
) ENGINE=InnoDB DEFAULT CHARSET=latin1;
