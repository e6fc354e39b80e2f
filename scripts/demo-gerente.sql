-- Demonstration data for the database "gerente": companies, branches, banks, clients with and without
-- usable bank data, and receivables of several months around today (relative to CURDATE(), so that the
-- listings always find something). Loaded once, after db/schema.sql, by scripts/demo.

INSERT INTO bancos (bancos_id, descricao) VALUES
  ('001', 'Banco do Brasil S.A.'), ('033', 'Banco Santander (Brasil) S.A.'),
  ('104', 'Caixa Econômica Federal'), ('237', 'Banco Bradesco S.A.'), ('341', 'Itaú Unibanco S.A.'),
  ('356', 'Banco Real S.A.'), ('748', 'Banco Cooperativo Sicredi S.A.'), ('756', 'Banco Cooperativo do Brasil - Sicoob');

INSERT INTO filial (filial_id, nome, cgc, relreceberunificado) VALUES
  (1, 'MATRIZ', '12.345.678/0001-90', 'S'),
  (2, 'FILIAL CENTRO', '12.345.678/0002-71', 'N');

INSERT INTO empresa (empresa_id, nome, cgc, inscr, endereco, bairro, cidade, estado, cep, diasjur, multa, jurosdia) VALUES
  (1, 'Metalúrgica São Jorge Ltda', '45.987.321/0001-08', '110.042.490.114', 'Av. dos Estados, 1200', 'Distrito Industrial', 'São Bernardo do Campo', 'SP', '09672-000', 0, 2, 0.0333),
  (2, 'Cooperativa Agrícola Vale Verde', '07.654.123/0001-55', '254.187.990', 'Rodovia BR-277, km 41', 'Zona Rural', 'Ponta Grossa', 'PR', '84043-000', 3, 2, 0.05),
  (3, 'Hospital Santa Luzia', '33.210.456/0001-77', 'ISENTO', 'Rua Barão de Itapetininga, 88', 'República', 'São Paulo', 'SP', '01042-000', 5, 1, 0.02);

-- agencia/cc: digits (usable for direct debit), zeros, empty, or not digits at all.
INSERT INTO clientes (clientes_id, empresa_id, chapa, nome, cgc, cpf, endereco, numero1, bairro, cidade, uf, cep,
                      agencia, cc, cobra_juros, multa, juros, saldomes) VALUES
  (1, 1, 1001, 'José Antônio da Silva', '', '123.456.789-09', 'Rua das Acácias', '45', 'Vila Nova', 'São Bernardo do Campo', 'SP', '09750-010', '1234', '567890', 'N', 0, 0, 350),
  (2, 1, 1002, 'Maria Aparecida Gonçalves', '', '987.654.321-00', 'Rua Marechal Deodoro', '1020', 'Centro', 'São Bernardo do Campo', 'SP', '09710-000', '0456', '0012345', 'N', 0, 0, 120.5),
  (3, 1, 1003, 'João Batista Conceição', '', '111.222.333-96', 'Av. Kennedy', '300 ap 12', 'Jardim do Mar', 'São Bernardo do Campo', 'SP', '09726-260', '00000', '0', 'N', 0, 0, 0),
  (4, 1, 1004, 'Ana Cláudia Ribeiro', '', '444.555.666-72', 'Rua Jurubatuba', '77', 'Centro', 'Santo André', 'SP', '09010-000', '', '', 'S', 5, 0.1, 80),
  (5, 1, 1005, 'Francisco Évora Nunes', '', '321.654.987-15', 'Rua Tiradentes', '9', 'Rudge Ramos', 'São Bernardo do Campo', 'SP', '09600-000', '3310', '44556-7', 'N', 0, 0, 0),
  (6, 1, 1006, 'Luíza D''Ávila Prado', '', '159.753.486-20', 'Rua Frei Gaspar', '210', 'Centro', 'São Bernardo do Campo', 'SP', '09720-440', '2201', '998877', 'S', 2, 0.0333, 45.9),
  (7, 1, 1007, 'Comercial Três Irmãos ME', '21.543.876/0001-30', '', 'Rua Padre Lustosa', '15', 'Anchieta', 'São Bernardo do Campo', 'SP', '09732-030', '7788', '0000000', 'N', 0, 0, 0),
  (8, 1, 1008, 'Raimundo Nonato Araújo', '', '258.369.147-00', 'Travessa Boa Vista', 's/n', 'Baeta Neves', 'São Bernardo do Campo', 'SP', '09751-000', 'ABCD', '12X45', 'N', 0, 0, 0),
  (9, 1, 1009, 'Sebastiana Lúcia Mendes', '', '753.951.852-44', 'Rua Joaquim Nabuco', '501', 'Nova Petrópolis', 'São Bernardo do Campo', 'SP', '09770-120', '1020', '300400', 'N', 0, 0, 210),
  (10, 1, 1010, 'Antônio Carlos de Souza Júnior Filho e Netos Ltda', '98.765.432/0001-98', '', 'Av. Senador Vergueiro', '4000', 'Rudge Ramos', 'São Bernardo do Campo', 'SP', '09601-000', '0987', '1234567890', 'N', 0, 0, 0),
  (11, 2, 2001, 'Pedro Henrique Kowalski', '', '369.258.147-11', 'Rua Ermelino de Leão', '12', 'Centro', 'Ponta Grossa', 'PR', '84010-000', '0033', '765432', 'N', 0, 0, 0),
  (12, 2, 2002, 'Irmãos Schneider & Cia', '11.222.333/0001-81', '', 'Estrada do Guaragi', 'km 8', 'Guaragi', 'Ponta Grossa', 'PR', '84120-000', '', '', 'N', 0, 0, 0),
  (13, 2, 2003, 'Terezinha Woiciechowski', '', '852.741.963-33', 'Rua Balduíno Taques', '845', 'Centro', 'Ponta Grossa', 'PR', '84010-050', '4455', '66778', 'S', 10, 0.2, 0),
  (14, 3, 3001, 'Dr. Otávio Magalhães', '', '147.258.369-55', 'Rua Aurora', '200', 'Santa Ifigênia', 'São Paulo', 'SP', '01209-000', '1500', '223344', 'N', 0, 0, 0),
  (15, 3, 3002, 'Enfª Conceição Guimarães', '', '963.852.741-66', 'Rua Vitória', '31', 'Santa Ifigênia', 'São Paulo', 'SP', '01210-001', '0000', '000000', 'N', 0, 0, 0);

-- Eight receivables per client: sales of the last five months, due 30 days after the sale (some due
-- dates still ahead), on both branches. Every seventh is deleted, every fifth settled, every
-- eleventh half paid, every thirteenth has no quantity.
INSERT INTO receber (filial_id, receber_id, clientes_id, numlanc, datahora, vencimento, valor, quantidade, amort,
                     valortotal, apagado, tipo, produto_id, usuario_id, numnota)
SELECT filial_id, receber_id, clientes_id, numlanc, datahora, date(datahora) + interval 30 day, valor, quantidade, amort,
       round(valor * quantidade * (100 - amort) / 100, 4), apagado, 0, 100 + n mod 9, 1, 5000 + receber_id
FROM (
  SELECT 1 + (c.clientes_id + s.seq) mod 2 AS filial_id,
         c.clientes_id * 100 + s.seq AS receber_id,
         c.clientes_id, c.clientes_id * 100 + s.seq AS n,
         c.clientes_id * 1000 + (s.seq + 1) div 2 AS numlanc,
         curdate() - interval ((s.seq * 19 + c.clientes_id * 7) mod 150) day
           + interval (8 * 3600 + (s.seq * 3571 + c.clientes_id * 911) mod 36000) second AS datahora,
         round(9.9 + ((s.seq * 4721 + c.clientes_id * 1303) mod 45000) / 100, 2) AS valor,
         IF((c.clientes_id + s.seq) mod 13 = 0, 0, 1 + (s.seq + c.clientes_id) mod 3) AS quantidade,
         IF((c.clientes_id * 3 + s.seq) mod 5 = 0, 100, IF((c.clientes_id + s.seq * 2) mod 11 = 0, 50, 0)) AS amort,
         IF((c.clientes_id + s.seq * 3) mod 7 = 0, 'S', 'N') AS apagado
  FROM clientes c JOIN seq_1_to_8 s
) r;

-- Charges made before and not yet paid: the open receivables of the clients with usable bank data sold
-- more than a month ago went out by direct debit, so "Relatório" has boletos to list (set its "Data
-- Inicial" some months back). Each carries the document number of its charge (ten digits of the launch
-- number) and the identifier under which the debit was sent (eight digits), as a generation run leaves
-- them.
UPDATE receber
SET numero_documento = lpad(numlanc, 10, '0'), lojas_leram2 = lpad(numlanc, 8, '0')
WHERE clientes_id IN (1, 2, 5, 6, 9) AND datahora < curdate() - interval 30 day
  AND apagado <> 'S' AND quantidade > 0 AND amort < 100;
