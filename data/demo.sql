-- Quillaro: demo delivery 'DEMO' (centre 3, production year 2026, delivery 1).
-- Loaded on top of schema.sql and lookup.sql. Thirty documents over eleven
-- journals and fourteen issues, with a few cataloguing errors left on purpose
-- so that the checks and reports have something to show.
--
-- Keys of lookup.sql used here:
--   tabFonteInterna   1 = 'Cost.'
--   tabFonteInterna  10 = 'c.c.'
--   tabFonteInterna  11 = 'c.p.'
--   tabFonteInterna  12 = 'c.p.c.'
--   tabFonteInterna  20 = 'c. consumo'
--   tabFonteInterna  24 = 'c. contratti pubblici'
--   tabFonteInterna  28 = 'c. crisi impresa'
--   tabFonteInterna  29 = 'Norme bancarie uniformi'
--   tabFonteInterna  50 = 'l. cost.'
--   tabFonteInterna  51 = 'l.'
--   tabFonteInterna  52 = 'd.l.'
--   tabFonteInterna  53 = 'd.lg.'
--   tabFonteInterna  54 = 'd.p.r.'
--   tabFonteInterna  55 = 'r.d.'
--   tabFonteInterna  60 = 'd.p.c.m.'
--   tabFonteInterna  70 = 'l. prov.'
--   tabFonteInterna  80 = 'l. reg.'
--   tabFonteInterna  85 = 'reg. cam.'
--   tabFonteInterna  86 = 'reg. sen.'
--   tabFonteInterna  90 = 'd.m.'
--   tabFonteInterna 104 = 'risol.'
--   tabFonteInterna 103 = 'provv.'
--   tabFonteInterna 110 = 'delib. g.r.'
--   tabFonteInterna 117 = 'reg. com.'
--   tabFonteInterna 140 = 'c.c.n.l.'
--   tabFonteInterna 141 = 'accordo interconf.'
--   tabFonteInterna 150 = 'Cass.'
--   tabFonteInterna 151 = 'C. Cost.'
--   tabFonteInterna 152 = 'Cons. giurisd. Camera'
--   tabFonteInterna 153 = 'C. Conti'
--   tabFonteInterna 154 = 'giur. sport'
--   tabFonteInterna 161 = 'Trib.'
--   tabFonteInterna 183 = 'Comm. reg.'
--   tabFonteInterna 185 = 'C. giust. trib. I grado'
--   tabFonteInterna 190 = 'TAR'
--   tabFonteInterna 191 = 'Cons. St.'
--   tabFonteInterna 200 = 'Trib. Acque'
--   tabFonteInterna 201 = 'Trib. sup. acque pubbl.'
--   tabFonteInterna 202 = 'Comm. ricorsi brevetti'
--   tabFonteInterna 204 = 'Cons. naz. forense'
--   tabFonteInterna 210 = 'Coll. arb.'
--   tabFonteInterna 211 = 'Arbitro Bancario Finanziario'
--   tabFonteInt 1 = 'Ris. ONU Ass. Gen.', 2 = 'C. eur. dir. uomo', 13 = 'C. int. giust.',
--     101 = 'CEDU' and 106 = 'CISG' (short names of tabNIT rows 1 and 6)
--   tabFonteCom  1 = 'Tratt. CE'
--   tabFonteCom  6 = 'TFUE'
--   tabFonteCom 12 = 'Carta dir. fond. UE'
--   tabFonteCom 14 = 'Reg. CEE'
--   tabFonteCom 15 = 'Reg. CE'
--   tabFonteCom 16 = 'Reg. UE'
--   tabFonteCom 17 = 'Dir. CEE'
--   tabFonteCom 18 = 'Dir. CE'
--   tabFonteCom 19 = 'Dir. UE'
--   tabFonteCom 30 = 'Conv. UE'
--   tabFonteCom 31 = 'C. giust. CE'
--   tabFonteCom 32 = 'C. giust. UE'
--   tabFonteCom 34 = 'Trib. UE'
--   tabFonteCan 1 = 'C. Iur. Can.', 4 = 'Trib. Eccl. Reg.', 7 = 'Rota Romana'
--   tabRegione 7 = LA, 9 = LO; tabProvincia 1 = BZ, 2 = TN
--   tabCitta 1 = Roma, 2 = Milano; tabSezione 1 = sez. I, 2 = sez. II, 3 = sez. III, 8 = sez. lav.,
--     9 = sez. un., 10 = sez. trib., 12 = sez. I civ., 23 = sez. giur., 30 = ad. plen., 39 = sez. imprese, 42 = Grande sezione
--   tabMinistero 2 = Ministero della giustizia, tabAmministrazione 1 = Agenzia delle entrate,
--   tabAutorita 1 = Garante per la protezione dei dati personali;
--   tabStato 1 = Francia, 2 = Germania, 5 = Stati Uniti d'America
-- Rows added during the delivery (Nuovo = 1): tabCitta 58 = 'Busto Arsizio', tabSezione 44 = 'sez. VI-3'.
--
-- Errors left on purpose: document 22 has no authors, 23 no classification,
-- 24 no sources, 25 an empty TAbs, 26 an empty TD, 27 TAbs '600' without a table
-- of contents, 28 TD '01' with a note, 29 Pagine '0'; document 21 cites a law
-- that is not in the norms catalogue ('art. 2 l. 7 agosto 1990, n. 214'), document 9 a
-- Constitutional Court decision numbered 1000 and document 26 a Cassation
-- judgment without number; documents 2 and 6 have invalid classification pairs,
-- 9 and 19 invalid asterisked pairs; document 15 has a title translation made
-- by the compiler (marked with "[").
BEGIN;

INSERT INTO tabInfo (IDCentroSpoglio, AnnoProduzione, Consegna, NumInizio, Storico, Celex, StampaCompleta, StampaSoloTesto, StampaConsistenze, StampaProspetto, VisualizzaErroriGenerici, VisualizzaErroriClasse, VisualizzaErroriFonti) VALUES ('3', '2026', '1', '1', '', '', '', '', '', '', '', '', '');

-- Entries typed by the operator while cataloguing this delivery.
INSERT INTO tabCitta (IDCitta, Citta, Nuovo) VALUES (58, 'Busto Arsizio', 1);
INSERT INTO tabSezione (IDSezione, Sigla, Nuovo) VALUES (44, 'sez. VI-3', 1);

-- Issues of the journals.
INSERT INTO tabRifBibl (IDRifBibl, IDRivistaOnline, Data, Fascicolo, Volume, Annata) VALUES (1, '101', '2025-03-15', '3', '12', '2025');
INSERT INTO tabRifBibl (IDRifBibl, IDRivistaOnline, Data, Fascicolo, Volume, Annata) VALUES (2, '101', '2025-06-15', '6', '12', '2025');
INSERT INTO tabRifBibl (IDRifBibl, IDRivistaOnline, Data, Fascicolo, Volume, Annata) VALUES (3, '205', '2025-00', '1', '', '');
INSERT INTO tabRifBibl (IDRifBibl, IDRivistaOnline, Data, Fascicolo, Volume, Annata) VALUES (4, '205', '2025-05-00', '2', '', '2025');
INSERT INTO tabRifBibl (IDRifBibl, IDRivistaOnline, Data, Fascicolo, Volume, Annata) VALUES (5, '310', '2025-09-30', NULL, NULL, NULL);
INSERT INTO tabRifBibl (IDRifBibl, IDRivistaOnline, Data, Fascicolo, Volume, Annata) VALUES (6, '412', '2025-01-10', '1/2025', 'XXXI', '2025');
INSERT INTO tabRifBibl (IDRifBibl, IDRivistaOnline, Data, Fascicolo, Volume, Annata) VALUES (7, '412', '2025-04-10', '2/2025', 'XXXI', '2025');
INSERT INTO tabRifBibl (IDRifBibl, IDRivistaOnline, Data, Fascicolo, Volume, Annata) VALUES (8, '518', '2025-07-01', '7-8', '', '2025');
INSERT INTO tabRifBibl (IDRifBibl, IDRivistaOnline, Data, Fascicolo, Volume, Annata) VALUES (9, '801', '2025-12-00', '2', 'IX', '2025');
INSERT INTO tabRifBibl (IDRifBibl, IDRivistaOnline, Data, Fascicolo, Volume, Annata) VALUES (10, '9001', '2024-12-20', '12', 'XX', '2024');
INSERT INTO tabRifBibl (IDRifBibl, IDRivistaOnline, Data, Fascicolo, Volume, Annata) VALUES (11, '9002', '2026-01-15', '1', '', '2026');
INSERT INTO tabRifBibl (IDRifBibl, IDRivistaOnline, Data, Fascicolo, Volume, Annata) VALUES (12, '702', '2025-10-31', '10', '', '2025');
INSERT INTO tabRifBibl (IDRifBibl, IDRivistaOnline, Data, Fascicolo, Volume, Annata) VALUES (13, '315', '2025-11-15', '4', 'VII', '2025');
INSERT INTO tabRifBibl (IDRifBibl, IDRivistaOnline, Data, Fascicolo, Volume, Annata) VALUES (14, '9015', '2025-02-28', '2', '', '2025');

-- Persons.
INSERT INTO tabResponsabilita (IDResponsabilita, PrimoElemento, SecondoElemento) VALUES (1, 'Rossi', 'Mario');
INSERT INTO tabResponsabilita (IDResponsabilita, PrimoElemento, SecondoElemento) VALUES (2, 'Bianchi', 'Laura');
INSERT INTO tabResponsabilita (IDResponsabilita, PrimoElemento, SecondoElemento) VALUES (3, 'Esposito', 'Giuseppe');
INSERT INTO tabResponsabilita (IDResponsabilita, PrimoElemento, SecondoElemento) VALUES (4, 'Romano', 'Francesca');
INSERT INTO tabResponsabilita (IDResponsabilita, PrimoElemento, SecondoElemento) VALUES (5, 'Colombo', 'Andrea');
INSERT INTO tabResponsabilita (IDResponsabilita, PrimoElemento, SecondoElemento) VALUES (6, 'Ricci', 'Chiara');
INSERT INTO tabResponsabilita (IDResponsabilita, PrimoElemento, SecondoElemento) VALUES (7, 'Marino', 'Luca');
INSERT INTO tabResponsabilita (IDResponsabilita, PrimoElemento, SecondoElemento) VALUES (8, 'Greco', 'Alessandra');
INSERT INTO tabResponsabilita (IDResponsabilita, PrimoElemento, SecondoElemento) VALUES (9, 'Bruno', 'Stefano');
INSERT INTO tabResponsabilita (IDResponsabilita, PrimoElemento, SecondoElemento) VALUES (10, 'Gallo', 'Federica');
INSERT INTO tabResponsabilita (IDResponsabilita, PrimoElemento, SecondoElemento) VALUES (11, 'Conti', 'Paolo');
INSERT INTO tabResponsabilita (IDResponsabilita, PrimoElemento, SecondoElemento) VALUES (12, 'De Luca', 'Valentina');
INSERT INTO tabResponsabilita (IDResponsabilita, PrimoElemento, SecondoElemento) VALUES (13, 'Mancini', 'Giovanni');
INSERT INTO tabResponsabilita (IDResponsabilita, PrimoElemento, SecondoElemento) VALUES (14, 'Costa', 'Elena');
INSERT INTO tabResponsabilita (IDResponsabilita, PrimoElemento, SecondoElemento) VALUES (15, 'Giordano', 'Marco');
INSERT INTO tabResponsabilita (IDResponsabilita, PrimoElemento, SecondoElemento) VALUES (16, 'Rizzo', 'Silvia');
INSERT INTO tabResponsabilita (IDResponsabilita, PrimoElemento, SecondoElemento) VALUES (17, 'Lombardi', 'Davide');
INSERT INTO tabResponsabilita (IDResponsabilita, PrimoElemento, SecondoElemento) VALUES (18, 'Moretti', 'Giulia');
INSERT INTO tabResponsabilita (IDResponsabilita, PrimoElemento, SecondoElemento) VALUES (19, 'D''Angelo', 'Nicola');
INSERT INTO tabResponsabilita (IDResponsabilita, PrimoElemento, SecondoElemento) VALUES (20, 'Fontana', 'Maria Teresa');
INSERT INTO tabResponsabilita (IDResponsabilita, PrimoElemento, SecondoElemento) VALUES (21, 'Osservatorio sulla giustizia tributaria', NULL);
INSERT INTO tabResponsabilita (IDResponsabilita, PrimoElemento, SecondoElemento) VALUES (22, 'Smith', 'John');
INSERT INTO tabResponsabilita (IDResponsabilita, PrimoElemento, SecondoElemento) VALUES (23, 'Dupont', 'Claire');
INSERT INTO tabResponsabilita (IDResponsabilita, PrimoElemento, SecondoElemento) VALUES (24, 'Ferrari', 'Niccolò');
INSERT INTO tabResponsabilita (IDResponsabilita, PrimoElemento, SecondoElemento) VALUES (25, 'Sartori', 'Benedetta');

-- Documents.
INSERT INTO tabDocumento (IDDocumento, IDRifBibl, Pagine, TAbs, Bib, TD, LIN, LO, LR, LA, DocURL) VALUES (1, 1, '12-31', '500', '1', '03', '00', '00', '00', '00', 'https://dirittoegiustizia.example.com/2025/03/danno-non-patrimoniale-san-martino');
INSERT INTO tabDocumento (IDDocumento, IDRifBibl, Pagine, TAbs, Bib, TD, LIN, LO, LR, LA, DocURL) VALUES (2, 1, '32-47', '700', '2', '01', '00', '00', '00', '00', 'https://dirittoegiustizia.example.com/2025/03/clausole-vessatorie-b2c');
INSERT INTO tabDocumento (IDDocumento, IDRifBibl, Pagine, TAbs, Bib, TD, LIN, LO, LR, LA, DocURL) VALUES (3, 1, '48-77', '600', '1', '07', '00', '00', '00', '00', 'https://dirittoegiustizia.example.com/2025/03/nuovo-codice-contratti-pubblici');
INSERT INTO tabDocumento (IDDocumento, IDRifBibl, Pagine, TAbs, Bib, TD, LIN, LO, LR, LA, DocURL) VALUES (4, 2, '5-22', '800', '1', '02', '00', '00', '00', '00', 'https://dirittoegiustizia.example.com/2025/06/diritto-oblio-motori-ricerca');
INSERT INTO tabDocumento (IDDocumento, IDRifBibl, Pagine, TAbs, Bib, TD, LIN, LO, LR, LA, DocURL) VALUES (5, 2, '23-40', '500', '1', '03', '00', '00', '00', '00', 'https://dirittoegiustizia.example.com/2025/06/sentenze-gemelle-cedu-norma-interposta');
INSERT INTO tabDocumento (IDDocumento, IDRifBibl, Pagine, TAbs, Bib, TD, LIN, LO, LR, LA, DocURL) VALUES (6, 3, '101-140', '500', '2', '08', '00', '00', '00', '00', 'https://fiscoonline.example.org/2025/1/rassegna-abuso-del-diritto');
INSERT INTO tabDocumento (IDDocumento, IDRifBibl, Pagine, TAbs, Bib, TD, LIN, LO, LR, LA, DocURL) VALUES (7, 3, '141-150', '400', '0', '01', '00', '00', '00', '00', 'https://fiscoonline.example.org/2025/1/detrazione-iva-operazioni-esenti');
INSERT INTO tabDocumento (IDDocumento, IDRifBibl, Pagine, TAbs, Bib, TD, LIN, LO, LR, LA, DocURL) VALUES (8, 14, '9-14', '700', '2', '04', '00', '00', '00', '00', 'https://sportediritto.example.net/2025/2/recensione-giustizia-sportiva');
INSERT INTO tabDocumento (IDDocumento, IDRifBibl, Pagine, TAbs, Bib, TD, LIN, LO, LR, LA, DocURL) VALUES (9, 5, '1-26', '500', '1', '01', '00', '00', '00', '00', 'https://osservatoriocostituzionale.example.org/2025/riparto-competenze-ambiente');
INSERT INTO tabDocumento (IDDocumento, IDRifBibl, Pagine, TAbs, Bib, TD, LIN, LO, LR, LA, DocURL) VALUES (10, 5, '27', '700', '0', '06', '00', '00', '00', '00', 'https://osservatoriocostituzionale.example.org/2025/editoriale-riduzione-parlamentari');
INSERT INTO tabDocumento (IDDocumento, IDRifBibl, Pagine, TAbs, Bib, TD, LIN, LO, LR, LA, DocURL) VALUES (11, 6, '33-58', '500', '1', '03', '00', '00', '00', '00', 'https://lavoroeprevidenza.example.org/2025/1/licenziamento-tutele-crescenti');
INSERT INTO tabDocumento (IDDocumento, IDRifBibl, Pagine, TAbs, Bib, TD, LIN, LO, LR, LA, DocURL) VALUES (12, 6, '59-80', '600', '2', '01', '00', '00', '00', '00', 'https://lavoroeprevidenza.example.org/2025/1/lavoro-agile-diritto-disconnessione');
INSERT INTO tabDocumento (IDDocumento, IDRifBibl, Pagine, TAbs, Bib, TD, LIN, LO, LR, LA, DocURL) VALUES (13, 7, '3-8', '700', '0', '05', '00', '00', '00', '00', 'https://lavoroeprevidenza.example.org/2025/2/intervista-sicurezza-lavoro');
INSERT INTO tabDocumento (IDDocumento, IDRifBibl, Pagine, TAbs, Bib, TD, LIN, LO, LR, LA, DocURL) VALUES (14, 7, '9-34', '900', '1', '01', '01', '00', '00', '00', 'https://lavoroeprevidenza.example.org/2025/2/platform-work-transparent-conditions');
INSERT INTO tabDocumento (IDDocumento, IDRifBibl, Pagine, TAbs, Bib, TD, LIN, LO, LR, LA, DocURL) VALUES (15, 9, '201-230', '900', '2', '01', '02', '00', '00', '00', 'https://studieuropei.example.org/2025/2/responsabilite-civile-reforme');
INSERT INTO tabDocumento (IDDocumento, IDRifBibl, Pagine, TAbs, Bib, TD, LIN, LO, LR, LA, DocURL) VALUES (16, 8, '11-29', '500', '1', '07', '00', '00', '00', '00', 'https://dirittoeimpresa.example.com/2025/7-8/codice-crisi-composizione-negoziata');
INSERT INTO tabDocumento (IDDocumento, IDRifBibl, Pagine, TAbs, Bib, TD, LIN, LO, LR, LA, DocURL) VALUES (17, 8, '30-44', '500', '1', '03', '00', '00', '00', '00', 'https://dirittoeimpresa.example.com/2025/7-8/direzione-coordinamento-modelli-231');
INSERT INTO tabDocumento (IDDocumento, IDRifBibl, Pagine, TAbs, Bib, TD, LIN, LO, LR, LA, DocURL) VALUES (18, 9, '1-48', '500', '1', '01', '00', '00', '00', '00', 'https://studieuropei.example.org/2025/2/primato-responsabilita-stato');
INSERT INTO tabDocumento (IDDocumento, IDRifBibl, Pagine, TAbs, Bib, TD, LIN, LO, LR, LA, DocURL) VALUES (19, 9, '49-88', '800', '1', '08', '00', '00', '00', '00', 'https://studieuropei.example.org/2025/2/rassegna-cedu-italia');
INSERT INTO tabDocumento (IDDocumento, IDRifBibl, Pagine, TAbs, Bib, TD, LIN, LO, LR, LA, DocURL) VALUES (20, 10, '77-109', '600', '2', '01', '00', '00', '00', '00', 'https://annalistoria.example.org/2024/12/damnum-iniuria-datum');
INSERT INTO tabDocumento (IDDocumento, IDRifBibl, Pagine, TAbs, Bib, TD, LIN, LO, LR, LA, DocURL) VALUES (21, 12, '15-39', '500', '1', '03', '00', '00', '00', '00', 'https://dirittoamministrativo.example.net/2025/10/concessioni-balneari-adunanza-plenaria');
INSERT INTO tabDocumento (IDDocumento, IDRifBibl, Pagine, TAbs, Bib, TD, LIN, LO, LR, LA, DocURL) VALUES (22, 12, '40-52', '700', '1', '01', '00', '00', '00', '00', 'https://dirittoamministrativo.example.net/2025/10/trasparenza-accesso-civico');
INSERT INTO tabDocumento (IDDocumento, IDRifBibl, Pagine, TAbs, Bib, TD, LIN, LO, LR, LA, DocURL) VALUES (23, 2, '41-60', '500', '2', '01', '00', '00', '00', '00', 'https://dirittoegiustizia.example.com/2025/06/emergenza-sanitaria-fonti');
INSERT INTO tabDocumento (IDDocumento, IDRifBibl, Pagine, TAbs, Bib, TD, LIN, LO, LR, LA, DocURL) VALUES (24, 4, '61-70', '700', '1', '01', '00', '00', '00', '00', 'https://fiscoonline.example.org/2025/2/capacita-contributiva-ambiente');
INSERT INTO tabDocumento (IDDocumento, IDRifBibl, Pagine, TAbs, Bib, TD, LIN, LO, LR, LA, DocURL) VALUES (25, 11, '3-27', '', '1', '01', '00', '00', '00', '00', 'https://iuscanonicum.example.org/2026/1/incapacita-consensuale-can-1095');
INSERT INTO tabDocumento (IDDocumento, IDRifBibl, Pagine, TAbs, Bib, TD, LIN, LO, LR, LA, DocURL) VALUES (26, 11, '28-41', '700', '2', '', '00', '00', '00', '00', 'https://iuscanonicum.example.org/2026/1/delibazione-sentenze-ecclesiastiche');
INSERT INTO tabDocumento (IDDocumento, IDRifBibl, Pagine, TAbs, Bib, TD, LIN, LO, LR, LA, DocURL) VALUES (27, 10, '110-121', '600', '2', '01', '00', '00', '00', '00', 'https://annalistoria.example.org/2024/12/taglione-hammurabi');
INSERT INTO tabDocumento (IDDocumento, IDRifBibl, Pagine, TAbs, Bib, TD, LIN, LO, LR, LA, DocURL) VALUES (28, 6, '81-95', '500', '1', '01', '00', '00', '00', '00', 'https://lavoroeprevidenza.example.org/2025/1/condotta-antisindacale-rappresentativita');
INSERT INTO tabDocumento (IDDocumento, IDRifBibl, Pagine, TAbs, Bib, TD, LIN, LO, LR, LA, DocURL) VALUES (29, 13, '0', '700', '1', '09', '00', '00', '00', '00', 'https://regionieautonomie.example.org/2025/4/rassegna-legislazione-regionale');
INSERT INTO tabDocumento (IDDocumento, IDRifBibl, Pagine, TAbs, Bib, TD, LIN, LO, LR, LA, DocURL) VALUES (30, 12, '53-90', '500', '2', '08', '00', '00', '00', '00', 'https://dirittoamministrativo.example.net/2025/10/giurisdizioni-speciali-adr');

-- Texts: 0 title, 1 summary, 2 table of contents, 3 title translation, 4 note,
-- 5 compiler note, 7 "In tema di", 8 English abstract.
INSERT INTO tabTesto (IDTesto, Testo) VALUES (1, 'Il danno non patrimoniale dopo le Sezioni Unite di San Martino: "categoria unitaria" o sintesi descrittiva?');
INSERT INTO tabTesto (IDTesto, Testo) VALUES (2, 'L''Autore ripercorre l''evoluzione della giurisprudenza di legittimità sul danno non patrimoniale e verifica la tenuta della lettura costituzionalmente orientata dell''art. 2059 c.c., soffermandosi sul rapporto tra danno biologico, morale ed esistenziale.');
INSERT INTO tabTesto (IDTesto, Testo) VALUES (3, '1. Premessa. - 2. Le sentenze di San Martino. - 3. Il danno esistenziale tra dottrina e giurisprudenza. - 4. La personalizzazione del risarcimento. - 5. Conclusioni.');
INSERT INTO tabTesto (IDTesto, Testo) VALUES (4, 'Nota a Cass. sez. un. 11 novembre 2008, n. 26972');
INSERT INTO tabTesto (IDTesto, Testo) VALUES (5, 'Clausole vessatorie e contratti del consumatore: la doppia tutela tra codice civile e codice del consumo');
INSERT INTO tabTesto (IDTesto, Testo) VALUES (6, 'Si propone il nuovo descrittore "Clausole abusive nei contratti digitali" per il sistematico 270.');
INSERT INTO tabTesto (IDTesto, Testo) VALUES (7, 'Clausole vessatorie - Contratti del consumatore - Specifica approvazione per iscritto - Nullità di protezione - Rapporti tra art. 1341 c.c. e art. 33 c. consumo.');
INSERT INTO tabTesto (IDTesto, Testo) VALUES (8, 'Il nuovo codice dei contratti pubblici: principio del risultato e principio della fiducia');
INSERT INTO tabTesto (IDTesto, Testo) VALUES (9, '1. L''impianto del d.lgs. n. 36 del 2023. - 2. Il principio del risultato. - 3. Il principio della fiducia. - 4. L''accesso al mercato. - 5. Prime applicazioni giurisprudenziali.');
INSERT INTO tabTesto (IDTesto, Testo) VALUES (10, 'Commento a d.lg. 31 marzo 2023, n. 36');
INSERT INTO tabTesto (IDTesto, Testo) VALUES (11, 'Il diritto all''oblio nell''era dei motori di ricerca');
INSERT INTO tabTesto (IDTesto, Testo) VALUES (12, 'La relazione esamina la costruzione giurisprudenziale del diritto all''oblio, dalla sentenza Google Spain della Corte di giustizia all''art. 17 del regolamento (UE) 2016/679, e ne valuta l''attuazione nella prassi del Garante.');
INSERT INTO tabTesto (IDTesto, Testo) VALUES (13, 'Relazione al convegno "Dati, memoria e identità digitale", Bologna, 14 febbraio 2025');
INSERT INTO tabTesto (IDTesto, Testo) VALUES (14, 'Protezione dei dati personali - Diritto all''oblio - Deindicizzazione - Motori di ricerca - Bilanciamento con il diritto di cronaca.');
INSERT INTO tabTesto (IDTesto, Testo) VALUES (15, 'La CEDU come norma interposta: a quasi vent''anni dalle "sentenze gemelle"');
INSERT INTO tabTesto (IDTesto, Testo) VALUES (16, 'Il contributo ricostruisce la posizione della Convenzione europea dei diritti dell''uomo nel sistema delle fonti dopo la sentenza n. 348 del 2007 e ne segue gli sviluppi nella giurisprudenza costituzionale più recente.');
INSERT INTO tabTesto (IDTesto, Testo) VALUES (17, '1. L''art. 117, primo comma, Cost. - 2. La nozione di norma interposta. - 3. Il margine di apprezzamento. - 4. Prospettive.');
INSERT INTO tabTesto (IDTesto, Testo) VALUES (18, 'The ECHR as an interposed norm: almost twenty years after the "twin judgments"');
INSERT INTO tabTesto (IDTesto, Testo) VALUES (19, 'Nota a C. Cost. 24 ottobre 2007, n. 348');
INSERT INTO tabTesto (IDTesto, Testo) VALUES (20, 'The paper analyses the position of the European Convention on Human Rights in the Italian system of sources of law after Constitutional Court judgment no. 348 of 2007.');
INSERT INTO tabTesto (IDTesto, Testo) VALUES (21, 'Rassegna di giurisprudenza tributaria: l''abuso del diritto dieci anni dopo l''art. 10-bis dello Statuto');
INSERT INTO tabTesto (IDTesto, Testo) VALUES (22, 'La rassegna raccoglie le principali pronunce di legittimità e di merito in materia di abuso del diritto e di elusione fiscale, con particolare attenzione all''onere della prova e al contraddittorio.');
INSERT INTO tabTesto (IDTesto, Testo) VALUES (23, 'I. Nozione di abuso. - II. Onere della prova. - III. Contraddittorio preventivo. - IV. Sanzioni.');
INSERT INTO tabTesto (IDTesto, Testo) VALUES (24, 'Rassegna di giurisprudenza tributaria (2015-2024)');
INSERT INTO tabTesto (IDTesto, Testo) VALUES (25, 'Detrazione dell''IVA e operazioni esenti: il pro rata dopo la direttiva 2006/112/CE');
INSERT INTO tabTesto (IDTesto, Testo) VALUES (26, 'Recensione a M. Giordano, La giustizia sportiva tra autonomia e giurisdizione, Napoli, 2024');
INSERT INTO tabTesto (IDTesto, Testo) VALUES (27, 'Recensione a M. Giordano, La giustizia sportiva tra autonomia e giurisdizione, Napoli, 2024');
INSERT INTO tabTesto (IDTesto, Testo) VALUES (28, 'Ordinamento sportivo - Giustizia sportiva - Pregiudiziale sportiva - Lavoro sportivo dopo il d.lgs. n. 36 del 2021.');
INSERT INTO tabTesto (IDTesto, Testo) VALUES (29, 'La tutela dell''ambiente nel riparto di competenze tra Stato e Regioni, vent''anni dopo la riforma del Titolo V');
INSERT INTO tabTesto (IDTesto, Testo) VALUES (30, 'Lo studio esamina la giurisprudenza costituzionale sulla materia trasversale della tutela dell''ambiente e sul suo rapporto con le competenze regionali, anche alla luce della riforma degli artt. 9 e 41 Cost.');
INSERT INTO tabTesto (IDTesto, Testo) VALUES (31, 'Verificare con la redazione la data della sentenza costituzionale n. 1000 citata in nota 14: nell''originale manca il giorno di deposito.');
INSERT INTO tabTesto (IDTesto, Testo) VALUES (32, 'Tutela dell''ambiente - Competenza legislativa esclusiva dello Stato - Materie trasversali - Leale collaborazione.');
INSERT INTO tabTesto (IDTesto, Testo) VALUES (33, 'Dopo la riduzione del numero dei parlamentari: regolamenti da riscrivere');
INSERT INTO tabTesto (IDTesto, Testo) VALUES (34, 'Editoriale');
INSERT INTO tabTesto (IDTesto, Testo) VALUES (35, 'Parlamento - Riduzione del numero dei parlamentari - Regolamenti parlamentari - Commissioni permanenti.');
INSERT INTO tabTesto (IDTesto, Testo) VALUES (36, 'Licenziamento illegittimo e tutele crescenti: la reintegrazione come eccezione?');
INSERT INTO tabTesto (IDTesto, Testo) VALUES (37, 'La nota analizza l''orientamento della Sezione lavoro sul regime sanzionatorio del licenziamento illegittimo nel contratto a tutele crescenti, confrontandolo con l''art. 18 dello Statuto dei lavoratori.');
INSERT INTO tabTesto (IDTesto, Testo) VALUES (38, '1. Il caso. - 2. L''art. 3 del d.lgs. n. 23 del 2015. - 3. L''insussistenza del fatto materiale. - 4. Osservazioni conclusive.');
INSERT INTO tabTesto (IDTesto, Testo) VALUES (39, 'Nota a Cass. sez. lav. 8 gennaio 2020, n. 194');
INSERT INTO tabTesto (IDTesto, Testo) VALUES (40, 'Lavoro agile e diritto alla disconnessione: tra legge, contratto collettivo e accordo individuale');
INSERT INTO tabTesto (IDTesto, Testo) VALUES (41, '1. Il lavoro agile nella l. n. 81 del 2017. - 2. Il ruolo della contrattazione collettiva. - 3. Il diritto alla disconnessione. - 4. La giurisprudenza di merito.');
INSERT INTO tabTesto (IDTesto, Testo) VALUES (42, '"La prevenzione è un investimento": intervista sulla sicurezza nei luoghi di lavoro');
INSERT INTO tabTesto (IDTesto, Testo) VALUES (43, 'Intervista a Giovanni Mancini, a cura di Elena Costa');
INSERT INTO tabTesto (IDTesto, Testo) VALUES (44, 'Sicurezza sul lavoro - Valutazione dei rischi - Formazione dei lavoratori - Appalti.');
INSERT INTO tabTesto (IDTesto, Testo) VALUES (45, 'Platform work and transparent working conditions: the Italian implementation of Directive 2019/1152');
INSERT INTO tabTesto (IDTesto, Testo) VALUES (46, 'Il saggio esamina il recepimento della direttiva (UE) 2019/1152 con il d.lgs. n. 104 del 2022 e i suoi effetti sui lavoratori delle piattaforme digitali, anche sotto il profilo del trattamento dei dati.');
INSERT INTO tabTesto (IDTesto, Testo) VALUES (47, 'Lavoro tramite piattaforma e condizioni di lavoro trasparenti: l''attuazione italiana della direttiva 2019/1152');
INSERT INTO tabTesto (IDTesto, Testo) VALUES (48, 'The article examines the transposition of Directive (EU) 2019/1152 by Legislative Decree no. 104 of 2022 and its impact on platform workers, including data protection issues.');
INSERT INTO tabTesto (IDTesto, Testo) VALUES (49, 'La responsabilité civile extracontractuelle après la réforme du droit des obligations');
INSERT INTO tabTesto (IDTesto, Testo) VALUES (50, 'L''autrice analizza il progetto di riforma della responsabilità civile francese e la nuova numerazione del Code civil dopo l''ordonnance del 2016, con un confronto con gli artt. 2043 ss. c.c. e con il BGB.');
INSERT INTO tabTesto (IDTesto, Testo) VALUES (51, 'La responsabilità civile extracontrattuale dopo la riforma del diritto delle obbligazioni [trad. del compilatore]');
INSERT INTO tabTesto (IDTesto, Testo) VALUES (52, 'The author analyses the French reform project on civil liability and the new numbering of the Code civil after the 2016 ordonnance, comparing it with Italian and German law.');
INSERT INTO tabTesto (IDTesto, Testo) VALUES (53, 'Il codice della crisi d''impresa alla prova: composizione negoziata e concordato preventivo');
INSERT INTO tabTesto (IDTesto, Testo) VALUES (54, 'Il commento esamina gli strumenti di regolazione della crisi introdotti dal d.lgs. n. 14 del 2019, come modificato nel 2022, con attenzione al passaggio dalla composizione negoziata al concordato.');
INSERT INTO tabTesto (IDTesto, Testo) VALUES (55, '1. Premessa. - 2. La composizione negoziata. - 3. Il concordato preventivo in continuità. - 4. La revocatoria. - 5. Sostenibilità e governance.');
INSERT INTO tabTesto (IDTesto, Testo) VALUES (56, 'Commento a d.lg. 12 gennaio 2019, n. 14');
INSERT INTO tabTesto (IDTesto, Testo) VALUES (57, 'Direzione e coordinamento e modelli organizzativi "231" nei gruppi di società');
INSERT INTO tabTesto (IDTesto, Testo) VALUES (58, 'La sentenza annotata affronta la responsabilità della capogruppo per abuso dell''attività di direzione e coordinamento; l''Autrice ne valuta le ricadute sull''adozione dei modelli organizzativi di gruppo.');
INSERT INTO tabTesto (IDTesto, Testo) VALUES (59, 'Nota a Trib. Milano 5 giugno 2019, n. 5511');
INSERT INTO tabTesto (IDTesto, Testo) VALUES (60, 'Gruppi di società - Direzione e coordinamento - Modelli di organizzazione e gestione.');
INSERT INTO tabTesto (IDTesto, Testo) VALUES (61, 'Primato del diritto dell''Unione e responsabilità dello Stato: da Francovich a Taricco');
INSERT INTO tabTesto (IDTesto, Testo) VALUES (62, 'Il saggio ripercorre la giurisprudenza della Corte di giustizia sulla responsabilità dello Stato per violazione del diritto dell''Unione e sul primato, fino al dialogo con la Corte costituzionale nel caso Taricco.');
INSERT INTO tabTesto (IDTesto, Testo) VALUES (63, '1. Francovich. - 2. Il rinvio pregiudiziale. - 3. Il caso Taricco. - 4. Coordinamento dei sistemi di sicurezza sociale. - 5. Conclusioni.');
INSERT INTO tabTesto (IDTesto, Testo) VALUES (64, 'EU law primacy and State liability: from Francovich to Taricco');
INSERT INTO tabTesto (IDTesto, Testo) VALUES (65, 'Le immagini delle tabelle sono nella cartella \\server\spoglio\2025\consegna-Q4\doc18: verificare prima della consegna.');
INSERT INTO tabTesto (IDTesto, Testo) VALUES (66, 'The essay reviews the case law of the Court of Justice on State liability for breaches of EU law and on primacy, up to the dialogue with the Italian Constitutional Court in Taricco.');
INSERT INTO tabTesto (IDTesto, Testo) VALUES (67, 'Rassegna della giurisprudenza europea e internazionale sull''Italia (2010-2024)');
INSERT INTO tabTesto (IDTesto, Testo) VALUES (68, 'La rassegna presenta le principali pronunce della Corte europea dei diritti dell''uomo e della Corte internazionale di giustizia che hanno riguardato l''Italia, con particolare attenzione al giusto processo e alle immunità.');
INSERT INTO tabTesto (IDTesto, Testo) VALUES (69, '1. Equo processo e ne bis in idem. - 2. Immunità giurisdizionale degli Stati. - 3. Fonti internazionali richiamate.');
INSERT INTO tabTesto (IDTesto, Testo) VALUES (70, 'Review of European and international case law concerning Italy (2010-2024)');
INSERT INTO tabTesto (IDTesto, Testo) VALUES (71, 'Rassegna di giurisprudenza della Corte europea dei diritti dell''uomo e della Corte internazionale di giustizia');
INSERT INTO tabTesto (IDTesto, Testo) VALUES (72, 'The review presents the main judgments of the European Court of Human Rights and of the International Court of Justice concerning Italy, focusing on fair trial and State immunity.');
INSERT INTO tabTesto (IDTesto, Testo) VALUES (73, 'Lex {Aquilia} e damnum iniuria datum: le integrazioni {...} dei compilatori in D. 9.2.11 pr.');
INSERT INTO tabTesto (IDTesto, Testo) VALUES (74, '1. Il testo. - 2. Le integrazioni dei compilatori. - 3. Riscontri papirologici. - 4. La lettura dei commentatori.');
INSERT INTO tabTesto (IDTesto, Testo) VALUES (75, 'Concessioni demaniali marittime e proroghe ex lege: l''Adunanza plenaria e il dovere di disapplicazione');
INSERT INTO tabTesto (IDTesto, Testo) VALUES (76, 'La nota esamina le sentenze dell''Adunanza plenaria sulle proroghe automatiche delle concessioni balneari e l''obbligo, anche per la pubblica amministrazione, di disapplicare la norma interna contrastante con il diritto dell''Unione.');
INSERT INTO tabTesto (IDTesto, Testo) VALUES (77, '1. La vicenda. - 2. Il contrasto con la direttiva servizi. - 3. La disapplicazione da parte della p.a. - 4. Gli effetti nel tempo.');
INSERT INTO tabTesto (IDTesto, Testo) VALUES (78, 'Nota a Cons. St. ad. plen. 9 novembre 2021, n. 17');
INSERT INTO tabTesto (IDTesto, Testo) VALUES (79, 'Trasparenza e accesso civico generalizzato: un bilancio a dieci anni dal d.lgs. n. 33 del 2013');
INSERT INTO tabTesto (IDTesto, Testo) VALUES (80, 'Trasparenza amministrativa - Accesso civico generalizzato - Anticorruzione - Limiti all''accesso.');
INSERT INTO tabTesto (IDTesto, Testo) VALUES (81, 'L''emergenza sanitaria e il sistema delle fonti: decreti-legge, d.p.c.m. e controllo della Corte dei conti');
INSERT INTO tabTesto (IDTesto, Testo) VALUES (82, 'Il contributo ricostruisce la sequenza normativa dell''emergenza da COVID-19 e i problemi posti dall''uso dei decreti del Presidente del Consiglio dei ministri, anche sotto il profilo della responsabilità erariale.');
INSERT INTO tabTesto (IDTesto, Testo) VALUES (83, '1. Il decreto-legge n. 18 del 2020. - 2. I d.p.c.m. - 3. La sospensione dei termini processuali. - 4. Il controllo contabile.');
INSERT INTO tabTesto (IDTesto, Testo) VALUES (84, 'Capacità contributiva e fiscalità ambientale: spunti per la riforma');
INSERT INTO tabTesto (IDTesto, Testo) VALUES (85, 'Principio di capacità contributiva - Tributi ambientali - Riforma fiscale.');
INSERT INTO tabTesto (IDTesto, Testo) VALUES (86, 'L''incapacità consensuale nel can. 1095 n. 2: grave difetto di discrezione di giudizio');
INSERT INTO tabTesto (IDTesto, Testo) VALUES (87, 'Lo studio analizza la giurisprudenza rotale e dei tribunali ecclesiastici regionali sul grave difetto di discrezione di giudizio, alla luce dell''istruzione Dignitas connubii.');
INSERT INTO tabTesto (IDTesto, Testo) VALUES (88, 'La delibazione delle sentenze ecclesiastiche di nullità matrimoniale dopo la convivenza triennale');
INSERT INTO tabTesto (IDTesto, Testo) VALUES (89, 'Relazione all''incontro di studio dell''Associazione canonistica, Roma, 2025');
INSERT INTO tabTesto (IDTesto, Testo) VALUES (90, 'Manca il tipo di documento nel fascicolo cartaceo: chiedere conferma alla redazione.');
INSERT INTO tabTesto (IDTesto, Testo) VALUES (91, 'Matrimonio concordatario - Delibazione - Ordine pubblico - Convivenza come coniugi.');
INSERT INTO tabTesto (IDTesto, Testo) VALUES (92, 'Il taglione nel Codice di Hammurabi e le sue letture moderne');
INSERT INTO tabTesto (IDTesto, Testo) VALUES (93, 'L''Autore riesamina il par. 196 del Codice di Hammurabi e la fortuna del principio del taglione nella storiografia giuridica moderna.');
INSERT INTO tabTesto (IDTesto, Testo) VALUES (94, 'Condotta antisindacale e rappresentatività dopo il Testo unico del 2014');
INSERT INTO tabTesto (IDTesto, Testo) VALUES (95, 'Il contributo esamina l''uso dell''art. 28 dello Statuto dei lavoratori nelle controversie sulla rappresentatività sindacale dopo l''accordo interconfederale del 2014.');
INSERT INTO tabTesto (IDTesto, Testo) VALUES (96, '1. L''accordo interconfederale. - 2. La misurazione della rappresentatività. - 3. La tutela giudiziale.');
INSERT INTO tabTesto (IDTesto, Testo) VALUES (97, 'Contributo pubblicato anche negli atti del seminario di Torino');
INSERT INTO tabTesto (IDTesto, Testo) VALUES (98, 'Rassegna di legislazione regionale e provinciale (gennaio-giugno 2025)');
INSERT INTO tabTesto (IDTesto, Testo) VALUES (99, 'Rassegna di legislazione regionale e provinciale');
INSERT INTO tabTesto (IDTesto, Testo) VALUES (100, 'Governo del territorio - Legislazione regionale - Province autonome - Atti regolamentari degli enti locali.');
INSERT INTO tabTesto (IDTesto, Testo) VALUES (101, 'Giurisdizioni speciali, giurisdizione domestica e sistemi alternativi: rassegna 2016-2022');
INSERT INTO tabTesto (IDTesto, Testo) VALUES (102, 'La rassegna raccoglie decisioni dei giudici speciali (acque pubbliche, brevetti, Consiglio nazionale forense), della giurisdizione domestica della Camera e degli organi di risoluzione alternativa delle controversie.');
INSERT INTO tabTesto (IDTesto, Testo) VALUES (103, '1. Tribunali delle acque. - 2. Commissione dei ricorsi in materia di brevetti. - 3. Consiglio nazionale forense. - 4. Autodichia. - 5. Arbitro Bancario Finanziario e arbitrati.');
INSERT INTO tabTesto (IDTesto, Testo) VALUES (104, 'Rassegna di giurisprudenza delle giurisdizioni speciali');

INSERT INTO legameDocTesto (IDDoc, IDTesto, Tipo) VALUES (1, 1, '0');
INSERT INTO legameDocTesto (IDDoc, IDTesto, Tipo) VALUES (1, 2, '1');
INSERT INTO legameDocTesto (IDDoc, IDTesto, Tipo) VALUES (1, 3, '2');
INSERT INTO legameDocTesto (IDDoc, IDTesto, Tipo) VALUES (1, 4, '4');
INSERT INTO legameDocTesto (IDDoc, IDTesto, Tipo) VALUES (2, 5, '0');
INSERT INTO legameDocTesto (IDDoc, IDTesto, Tipo) VALUES (2, 6, '5');
INSERT INTO legameDocTesto (IDDoc, IDTesto, Tipo) VALUES (2, 7, '7');
INSERT INTO legameDocTesto (IDDoc, IDTesto, Tipo) VALUES (3, 8, '0');
INSERT INTO legameDocTesto (IDDoc, IDTesto, Tipo) VALUES (3, 9, '2');
INSERT INTO legameDocTesto (IDDoc, IDTesto, Tipo) VALUES (3, 10, '4');
INSERT INTO legameDocTesto (IDDoc, IDTesto, Tipo) VALUES (4, 11, '0');
INSERT INTO legameDocTesto (IDDoc, IDTesto, Tipo) VALUES (4, 12, '1');
INSERT INTO legameDocTesto (IDDoc, IDTesto, Tipo) VALUES (4, 13, '4');
INSERT INTO legameDocTesto (IDDoc, IDTesto, Tipo) VALUES (4, 14, '7');
INSERT INTO legameDocTesto (IDDoc, IDTesto, Tipo) VALUES (5, 15, '0');
INSERT INTO legameDocTesto (IDDoc, IDTesto, Tipo) VALUES (5, 16, '1');
INSERT INTO legameDocTesto (IDDoc, IDTesto, Tipo) VALUES (5, 17, '2');
INSERT INTO legameDocTesto (IDDoc, IDTesto, Tipo) VALUES (5, 18, '3');
INSERT INTO legameDocTesto (IDDoc, IDTesto, Tipo) VALUES (5, 19, '4');
INSERT INTO legameDocTesto (IDDoc, IDTesto, Tipo) VALUES (5, 20, '8');
INSERT INTO legameDocTesto (IDDoc, IDTesto, Tipo) VALUES (6, 21, '0');
INSERT INTO legameDocTesto (IDDoc, IDTesto, Tipo) VALUES (6, 22, '1');
INSERT INTO legameDocTesto (IDDoc, IDTesto, Tipo) VALUES (6, 23, '2');
INSERT INTO legameDocTesto (IDDoc, IDTesto, Tipo) VALUES (6, 24, '4');
INSERT INTO legameDocTesto (IDDoc, IDTesto, Tipo) VALUES (7, 25, '0');
INSERT INTO legameDocTesto (IDDoc, IDTesto, Tipo) VALUES (8, 26, '0');
INSERT INTO legameDocTesto (IDDoc, IDTesto, Tipo) VALUES (8, 27, '4');
INSERT INTO legameDocTesto (IDDoc, IDTesto, Tipo) VALUES (8, 28, '7');
INSERT INTO legameDocTesto (IDDoc, IDTesto, Tipo) VALUES (9, 29, '0');
INSERT INTO legameDocTesto (IDDoc, IDTesto, Tipo) VALUES (9, 30, '1');
INSERT INTO legameDocTesto (IDDoc, IDTesto, Tipo) VALUES (9, 31, '5');
INSERT INTO legameDocTesto (IDDoc, IDTesto, Tipo) VALUES (9, 32, '7');
INSERT INTO legameDocTesto (IDDoc, IDTesto, Tipo) VALUES (10, 33, '0');
INSERT INTO legameDocTesto (IDDoc, IDTesto, Tipo) VALUES (10, 34, '4');
INSERT INTO legameDocTesto (IDDoc, IDTesto, Tipo) VALUES (10, 35, '7');
INSERT INTO legameDocTesto (IDDoc, IDTesto, Tipo) VALUES (11, 36, '0');
INSERT INTO legameDocTesto (IDDoc, IDTesto, Tipo) VALUES (11, 37, '1');
INSERT INTO legameDocTesto (IDDoc, IDTesto, Tipo) VALUES (11, 38, '2');
INSERT INTO legameDocTesto (IDDoc, IDTesto, Tipo) VALUES (11, 39, '4');
INSERT INTO legameDocTesto (IDDoc, IDTesto, Tipo) VALUES (12, 40, '0');
INSERT INTO legameDocTesto (IDDoc, IDTesto, Tipo) VALUES (12, 41, '2');
INSERT INTO legameDocTesto (IDDoc, IDTesto, Tipo) VALUES (13, 42, '0');
INSERT INTO legameDocTesto (IDDoc, IDTesto, Tipo) VALUES (13, 43, '4');
INSERT INTO legameDocTesto (IDDoc, IDTesto, Tipo) VALUES (13, 44, '7');
INSERT INTO legameDocTesto (IDDoc, IDTesto, Tipo) VALUES (14, 45, '0');
INSERT INTO legameDocTesto (IDDoc, IDTesto, Tipo) VALUES (14, 46, '1');
INSERT INTO legameDocTesto (IDDoc, IDTesto, Tipo) VALUES (14, 47, '3');
INSERT INTO legameDocTesto (IDDoc, IDTesto, Tipo) VALUES (14, 48, '8');
INSERT INTO legameDocTesto (IDDoc, IDTesto, Tipo) VALUES (15, 49, '0');
INSERT INTO legameDocTesto (IDDoc, IDTesto, Tipo) VALUES (15, 50, '1');
INSERT INTO legameDocTesto (IDDoc, IDTesto, Tipo) VALUES (15, 51, '3');
INSERT INTO legameDocTesto (IDDoc, IDTesto, Tipo) VALUES (15, 52, '8');
INSERT INTO legameDocTesto (IDDoc, IDTesto, Tipo) VALUES (16, 53, '0');
INSERT INTO legameDocTesto (IDDoc, IDTesto, Tipo) VALUES (16, 54, '1');
INSERT INTO legameDocTesto (IDDoc, IDTesto, Tipo) VALUES (16, 55, '2');
INSERT INTO legameDocTesto (IDDoc, IDTesto, Tipo) VALUES (16, 56, '4');
INSERT INTO legameDocTesto (IDDoc, IDTesto, Tipo) VALUES (17, 57, '0');
INSERT INTO legameDocTesto (IDDoc, IDTesto, Tipo) VALUES (17, 58, '1');
INSERT INTO legameDocTesto (IDDoc, IDTesto, Tipo) VALUES (17, 59, '4');
INSERT INTO legameDocTesto (IDDoc, IDTesto, Tipo) VALUES (17, 60, '7');
INSERT INTO legameDocTesto (IDDoc, IDTesto, Tipo) VALUES (18, 61, '0');
INSERT INTO legameDocTesto (IDDoc, IDTesto, Tipo) VALUES (18, 62, '1');
INSERT INTO legameDocTesto (IDDoc, IDTesto, Tipo) VALUES (18, 63, '2');
INSERT INTO legameDocTesto (IDDoc, IDTesto, Tipo) VALUES (18, 64, '3');
INSERT INTO legameDocTesto (IDDoc, IDTesto, Tipo) VALUES (18, 65, '5');
INSERT INTO legameDocTesto (IDDoc, IDTesto, Tipo) VALUES (18, 66, '8');
INSERT INTO legameDocTesto (IDDoc, IDTesto, Tipo) VALUES (19, 67, '0');
INSERT INTO legameDocTesto (IDDoc, IDTesto, Tipo) VALUES (19, 68, '1');
INSERT INTO legameDocTesto (IDDoc, IDTesto, Tipo) VALUES (19, 69, '2');
INSERT INTO legameDocTesto (IDDoc, IDTesto, Tipo) VALUES (19, 70, '3');
INSERT INTO legameDocTesto (IDDoc, IDTesto, Tipo) VALUES (19, 71, '4');
INSERT INTO legameDocTesto (IDDoc, IDTesto, Tipo) VALUES (19, 72, '8');
INSERT INTO legameDocTesto (IDDoc, IDTesto, Tipo) VALUES (20, 73, '0');
INSERT INTO legameDocTesto (IDDoc, IDTesto, Tipo) VALUES (20, 74, '2');
INSERT INTO legameDocTesto (IDDoc, IDTesto, Tipo) VALUES (21, 75, '0');
INSERT INTO legameDocTesto (IDDoc, IDTesto, Tipo) VALUES (21, 76, '1');
INSERT INTO legameDocTesto (IDDoc, IDTesto, Tipo) VALUES (21, 77, '2');
INSERT INTO legameDocTesto (IDDoc, IDTesto, Tipo) VALUES (21, 78, '4');
INSERT INTO legameDocTesto (IDDoc, IDTesto, Tipo) VALUES (22, 79, '0');
INSERT INTO legameDocTesto (IDDoc, IDTesto, Tipo) VALUES (22, 80, '7');
INSERT INTO legameDocTesto (IDDoc, IDTesto, Tipo) VALUES (23, 81, '0');
INSERT INTO legameDocTesto (IDDoc, IDTesto, Tipo) VALUES (23, 82, '1');
INSERT INTO legameDocTesto (IDDoc, IDTesto, Tipo) VALUES (23, 83, '2');
INSERT INTO legameDocTesto (IDDoc, IDTesto, Tipo) VALUES (24, 84, '0');
INSERT INTO legameDocTesto (IDDoc, IDTesto, Tipo) VALUES (24, 85, '7');
INSERT INTO legameDocTesto (IDDoc, IDTesto, Tipo) VALUES (25, 86, '0');
INSERT INTO legameDocTesto (IDDoc, IDTesto, Tipo) VALUES (25, 87, '1');
INSERT INTO legameDocTesto (IDDoc, IDTesto, Tipo) VALUES (26, 88, '0');
INSERT INTO legameDocTesto (IDDoc, IDTesto, Tipo) VALUES (26, 89, '4');
INSERT INTO legameDocTesto (IDDoc, IDTesto, Tipo) VALUES (26, 90, '5');
INSERT INTO legameDocTesto (IDDoc, IDTesto, Tipo) VALUES (26, 91, '7');
INSERT INTO legameDocTesto (IDDoc, IDTesto, Tipo) VALUES (27, 92, '0');
INSERT INTO legameDocTesto (IDDoc, IDTesto, Tipo) VALUES (27, 93, '1');
INSERT INTO legameDocTesto (IDDoc, IDTesto, Tipo) VALUES (28, 94, '0');
INSERT INTO legameDocTesto (IDDoc, IDTesto, Tipo) VALUES (28, 95, '1');
INSERT INTO legameDocTesto (IDDoc, IDTesto, Tipo) VALUES (28, 96, '2');
INSERT INTO legameDocTesto (IDDoc, IDTesto, Tipo) VALUES (28, 97, '4');
INSERT INTO legameDocTesto (IDDoc, IDTesto, Tipo) VALUES (29, 98, '0');
INSERT INTO legameDocTesto (IDDoc, IDTesto, Tipo) VALUES (29, 99, '4');
INSERT INTO legameDocTesto (IDDoc, IDTesto, Tipo) VALUES (29, 100, '7');
INSERT INTO legameDocTesto (IDDoc, IDTesto, Tipo) VALUES (30, 101, '0');
INSERT INTO legameDocTesto (IDDoc, IDTesto, Tipo) VALUES (30, 102, '1');
INSERT INTO legameDocTesto (IDDoc, IDTesto, Tipo) VALUES (30, 103, '2');
INSERT INTO legameDocTesto (IDDoc, IDTesto, Tipo) VALUES (30, 104, '4');

-- Authors (FlagAutore -1) and curators (0).
INSERT INTO legameDocResp (IDDoc, IDResponsabilita, FlagAutore) VALUES (1, 1, -1);
INSERT INTO legameDocResp (IDDoc, IDResponsabilita, FlagAutore) VALUES (2, 2, -1);
INSERT INTO legameDocResp (IDDoc, IDResponsabilita, FlagAutore) VALUES (2, 3, -1);
INSERT INTO legameDocResp (IDDoc, IDResponsabilita, FlagAutore) VALUES (3, 4, -1);
INSERT INTO legameDocResp (IDDoc, IDResponsabilita, FlagAutore) VALUES (3, 5, 0);
INSERT INTO legameDocResp (IDDoc, IDResponsabilita, FlagAutore) VALUES (4, 6, -1);
INSERT INTO legameDocResp (IDDoc, IDResponsabilita, FlagAutore) VALUES (4, 7, 0);
INSERT INTO legameDocResp (IDDoc, IDResponsabilita, FlagAutore) VALUES (5, 8, -1);
INSERT INTO legameDocResp (IDDoc, IDResponsabilita, FlagAutore) VALUES (6, 21, -1);
INSERT INTO legameDocResp (IDDoc, IDResponsabilita, FlagAutore) VALUES (6, 11, 0);
INSERT INTO legameDocResp (IDDoc, IDResponsabilita, FlagAutore) VALUES (7, 6, -1);
INSERT INTO legameDocResp (IDDoc, IDResponsabilita, FlagAutore) VALUES (8, 24, -1);
INSERT INTO legameDocResp (IDDoc, IDResponsabilita, FlagAutore) VALUES (9, 9, -1);
INSERT INTO legameDocResp (IDDoc, IDResponsabilita, FlagAutore) VALUES (9, 10, -1);
INSERT INTO legameDocResp (IDDoc, IDResponsabilita, FlagAutore) VALUES (10, 1, -1);
INSERT INTO legameDocResp (IDDoc, IDResponsabilita, FlagAutore) VALUES (11, 12, -1);
INSERT INTO legameDocResp (IDDoc, IDResponsabilita, FlagAutore) VALUES (11, 13, -1);
INSERT INTO legameDocResp (IDDoc, IDResponsabilita, FlagAutore) VALUES (12, 14, -1);
INSERT INTO legameDocResp (IDDoc, IDResponsabilita, FlagAutore) VALUES (13, 13, -1);
INSERT INTO legameDocResp (IDDoc, IDResponsabilita, FlagAutore) VALUES (13, 14, 0);
INSERT INTO legameDocResp (IDDoc, IDResponsabilita, FlagAutore) VALUES (14, 22, -1);
INSERT INTO legameDocResp (IDDoc, IDResponsabilita, FlagAutore) VALUES (15, 23, -1);
INSERT INTO legameDocResp (IDDoc, IDResponsabilita, FlagAutore) VALUES (15, 2, 0);
INSERT INTO legameDocResp (IDDoc, IDResponsabilita, FlagAutore) VALUES (16, 15, -1);
INSERT INTO legameDocResp (IDDoc, IDResponsabilita, FlagAutore) VALUES (16, 16, -1);
INSERT INTO legameDocResp (IDDoc, IDResponsabilita, FlagAutore) VALUES (16, 17, 0);
INSERT INTO legameDocResp (IDDoc, IDResponsabilita, FlagAutore) VALUES (17, 18, -1);
INSERT INTO legameDocResp (IDDoc, IDResponsabilita, FlagAutore) VALUES (18, 19, -1);
INSERT INTO legameDocResp (IDDoc, IDResponsabilita, FlagAutore) VALUES (18, 20, -1);
INSERT INTO legameDocResp (IDDoc, IDResponsabilita, FlagAutore) VALUES (19, 25, -1);
INSERT INTO legameDocResp (IDDoc, IDResponsabilita, FlagAutore) VALUES (19, 8, 0);
INSERT INTO legameDocResp (IDDoc, IDResponsabilita, FlagAutore) VALUES (20, 5, -1);
INSERT INTO legameDocResp (IDDoc, IDResponsabilita, FlagAutore) VALUES (21, 3, -1);
INSERT INTO legameDocResp (IDDoc, IDResponsabilita, FlagAutore) VALUES (21, 4, -1);
INSERT INTO legameDocResp (IDDoc, IDResponsabilita, FlagAutore) VALUES (23, 9, -1);
INSERT INTO legameDocResp (IDDoc, IDResponsabilita, FlagAutore) VALUES (23, 12, 0);
INSERT INTO legameDocResp (IDDoc, IDResponsabilita, FlagAutore) VALUES (24, 11, -1);
INSERT INTO legameDocResp (IDDoc, IDResponsabilita, FlagAutore) VALUES (25, 16, -1);
INSERT INTO legameDocResp (IDDoc, IDResponsabilita, FlagAutore) VALUES (25, 17, -1);
INSERT INTO legameDocResp (IDDoc, IDResponsabilita, FlagAutore) VALUES (26, 15, -1);
INSERT INTO legameDocResp (IDDoc, IDResponsabilita, FlagAutore) VALUES (27, 10, -1);
INSERT INTO legameDocResp (IDDoc, IDResponsabilita, FlagAutore) VALUES (28, 7, -1);
INSERT INTO legameDocResp (IDDoc, IDResponsabilita, FlagAutore) VALUES (28, 18, -1);
INSERT INTO legameDocResp (IDDoc, IDResponsabilita, FlagAutore) VALUES (29, 19, -1);
INSERT INTO legameDocResp (IDDoc, IDResponsabilita, FlagAutore) VALUES (29, 20, 0);
INSERT INTO legameDocResp (IDDoc, IDResponsabilita, FlagAutore) VALUES (30, 2, -1);
INSERT INTO legameDocResp (IDDoc, IDResponsabilita, FlagAutore) VALUES (30, 21, 0);

-- Classification pairs; Controllo: 0 valid, 1 invalid, 2 valid asterisked,
-- 3 invalid asterisked. A pair may have no descriptor.
INSERT INTO legameDocClass (ID, IDDoc, CodiceS, CodiceD, Controllo) VALUES (1, 1, '170', 'D0099', 0);
INSERT INTO legameDocClass (ID, IDDoc, CodiceS, CodiceD, Controllo) VALUES (2, 1, '170', 'D0058', 0);
INSERT INTO legameDocClass (ID, IDDoc, CodiceS, CodiceD, Controllo) VALUES (3, 1, '410', 'D0288', 0);
INSERT INTO legameDocClass (ID, IDDoc, CodiceS, CodiceD, Controllo) VALUES (4, 2, '270', 'D0075', 0);
INSERT INTO legameDocClass (ID, IDDoc, CodiceS, CodiceD, Controllo) VALUES (5, 2, '160', 'D0075', 0);
INSERT INTO legameDocClass (ID, IDDoc, CodiceS, CodiceD, Controllo) VALUES (6, 2, '270', 'D0732', 0);
INSERT INTO legameDocClass (ID, IDDoc, CodiceS, CodiceD, Controllo) VALUES (7, 2, '270', 'D0228', 1);
INSERT INTO legameDocClass (ID, IDDoc, CodiceS, CodiceD, Controllo) VALUES (8, 3, '450', 'D0342', 0);
INSERT INTO legameDocClass (ID, IDDoc, CodiceS, CodiceD, Controllo) VALUES (9, 3, '450', 'D0733', 0);
INSERT INTO legameDocClass (ID, IDDoc, CodiceS, CodiceD, Controllo) VALUES (10, 3, '450', 'A0008', 2);
INSERT INTO legameDocClass (ID, IDDoc, CodiceS, CodiceD, Controllo) VALUES (11, 4, '910', 'D0647', 0);
INSERT INTO legameDocClass (ID, IDDoc, CodiceS, CodiceD, Controllo) VALUES (12, 4, '910', 'D0644', 0);
INSERT INTO legameDocClass (ID, IDDoc, CodiceS, CodiceD, Controllo) VALUES (13, 4, '910', 'A0001', 2);
INSERT INTO legameDocClass (ID, IDDoc, CodiceS, CodiceD, Controllo) VALUES (14, 5, '420', 'D0303', 0);
INSERT INTO legameDocClass (ID, IDDoc, CodiceS, CodiceD, Controllo) VALUES (15, 5, '840', 'D0609', 0);
INSERT INTO legameDocClass (ID, IDDoc, CodiceS, CodiceD, Controllo) VALUES (16, 5, '410', 'D0293', 0);
INSERT INTO legameDocClass (ID, IDDoc, CodiceS, CodiceD, Controllo) VALUES (17, 6, '540', 'D0449', 0);
INSERT INTO legameDocClass (ID, IDDoc, CodiceS, CodiceD, Controllo) VALUES (18, 6, '510', 'D0415', 0);
INSERT INTO legameDocClass (ID, IDDoc, CodiceS, CodiceD, Controllo) VALUES (19, 6, '540', 'D0243', 1);
INSERT INTO legameDocClass (ID, IDDoc, CodiceS, CodiceD, Controllo) VALUES (20, 7, '530', 'D0439', 0);
INSERT INTO legameDocClass (ID, IDDoc, CodiceS, CodiceD, Controllo) VALUES (21, 7, '530', '', 0);
INSERT INTO legameDocClass (ID, IDDoc, CodiceS, CodiceD, Controllo) VALUES (22, 8, '970', 'D0712', 0);
INSERT INTO legameDocClass (ID, IDDoc, CodiceS, CodiceD, Controllo) VALUES (23, 8, '970', 'D0713', 0);
INSERT INTO legameDocClass (ID, IDDoc, CodiceS, CodiceD, Controllo) VALUES (24, 9, '430', 'D0317', 0);
INSERT INTO legameDocClass (ID, IDDoc, CodiceS, CodiceD, Controllo) VALUES (25, 9, '420', 'D0302', 0);
INSERT INTO legameDocClass (ID, IDDoc, CodiceS, CodiceD, Controllo) VALUES (26, 9, '430', 'A0016', 3);
INSERT INTO legameDocClass (ID, IDDoc, CodiceS, CodiceD, Controllo) VALUES (27, 10, '420', 'D0308', 0);
INSERT INTO legameDocClass (ID, IDDoc, CodiceS, CodiceD, Controllo) VALUES (28, 10, '420', 'D0314', 0);
INSERT INTO legameDocClass (ID, IDDoc, CodiceS, CodiceD, Controllo) VALUES (29, 10, '420', '', 0);
INSERT INTO legameDocClass (ID, IDDoc, CodiceS, CodiceD, Controllo) VALUES (30, 11, '310', 'D0228', 0);
INSERT INTO legameDocClass (ID, IDDoc, CodiceS, CodiceD, Controllo) VALUES (31, 11, '310', 'D0231', 0);
INSERT INTO legameDocClass (ID, IDDoc, CodiceS, CodiceD, Controllo) VALUES (32, 12, '310', 'A0004', 2);
INSERT INTO legameDocClass (ID, IDDoc, CodiceS, CodiceD, Controllo) VALUES (33, 12, '350', 'D0279', 0);
INSERT INTO legameDocClass (ID, IDDoc, CodiceS, CodiceD, Controllo) VALUES (34, 12, '330', 'D0258', 0);
INSERT INTO legameDocClass (ID, IDDoc, CodiceS, CodiceD, Controllo) VALUES (35, 13, '350', 'D0280', 0);
INSERT INTO legameDocClass (ID, IDDoc, CodiceS, CodiceD, Controllo) VALUES (36, 13, '350', 'D0284', 0);
INSERT INTO legameDocClass (ID, IDDoc, CodiceS, CodiceD, Controllo) VALUES (37, 14, '310', 'A0005', 2);
INSERT INTO legameDocClass (ID, IDDoc, CodiceS, CodiceD, Controllo) VALUES (38, 14, '310', 'D0239', 0);
INSERT INTO legameDocClass (ID, IDDoc, CodiceS, CodiceD, Controllo) VALUES (39, 15, '960', 'D0704', 0);
INSERT INTO legameDocClass (ID, IDDoc, CodiceS, CodiceD, Controllo) VALUES (40, 15, '170', 'D0098', 0);
INSERT INTO legameDocClass (ID, IDDoc, CodiceS, CodiceD, Controllo) VALUES (41, 15, '960', 'D0705', 0);
INSERT INTO legameDocClass (ID, IDDoc, CodiceS, CodiceD, Controllo) VALUES (42, 16, '230', 'D0151', 0);
INSERT INTO legameDocClass (ID, IDDoc, CodiceS, CodiceD, Controllo) VALUES (43, 16, '230', 'D0153', 0);
INSERT INTO legameDocClass (ID, IDDoc, CodiceS, CodiceD, Controllo) VALUES (44, 16, '220', 'A0013', 2);
INSERT INTO legameDocClass (ID, IDDoc, CodiceS, CodiceD, Controllo) VALUES (45, 17, '220', 'D0144', 0);
INSERT INTO legameDocClass (ID, IDDoc, CodiceS, CodiceD, Controllo) VALUES (46, 17, '630', 'D0498', 0);
INSERT INTO legameDocClass (ID, IDDoc, CodiceS, CodiceD, Controllo) VALUES (47, 18, '810', 'D0580', 0);
INSERT INTO legameDocClass (ID, IDDoc, CodiceS, CodiceD, Controllo) VALUES (48, 18, '810', 'D0582', 0);
INSERT INTO legameDocClass (ID, IDDoc, CodiceS, CodiceD, Controllo) VALUES (49, 18, '820', 'D0589', 0);
INSERT INTO legameDocClass (ID, IDDoc, CodiceS, CodiceD, Controllo) VALUES (50, 19, '840', 'D0611', 0);
INSERT INTO legameDocClass (ID, IDDoc, CodiceS, CodiceD, Controllo) VALUES (51, 19, '830', 'D0599', 0);
INSERT INTO legameDocClass (ID, IDDoc, CodiceS, CodiceD, Controllo) VALUES (52, 19, '840', 'A0001', 3);
INSERT INTO legameDocClass (ID, IDDoc, CodiceS, CodiceD, Controllo) VALUES (53, 20, '950', 'D0689', 0);
INSERT INTO legameDocClass (ID, IDDoc, CodiceS, CodiceD, Controllo) VALUES (54, 20, '950', 'D0694', 0);
INSERT INTO legameDocClass (ID, IDDoc, CodiceS, CodiceD, Controllo) VALUES (55, 20, '950', 'D0695', 0);
INSERT INTO legameDocClass (ID, IDDoc, CodiceS, CodiceD, Controllo) VALUES (56, 21, '280', 'D0223', 0);
INSERT INTO legameDocClass (ID, IDDoc, CodiceS, CodiceD, Controllo) VALUES (57, 21, '460', 'D0355', 0);
INSERT INTO legameDocClass (ID, IDDoc, CodiceS, CodiceD, Controllo) VALUES (58, 21, '810', 'D0578', 0);
INSERT INTO legameDocClass (ID, IDDoc, CodiceS, CodiceD, Controllo) VALUES (59, 22, '440', 'D0335', 0);
INSERT INTO legameDocClass (ID, IDDoc, CodiceS, CodiceD, Controllo) VALUES (60, 22, '440', 'D0334', 0);
INSERT INTO legameDocClass (ID, IDDoc, CodiceS, CodiceD, Controllo) VALUES (61, 24, '510', 'D0424', 0);
INSERT INTO legameDocClass (ID, IDDoc, CodiceS, CodiceD, Controllo) VALUES (62, 24, '510', 'D0423', 0);
INSERT INTO legameDocClass (ID, IDDoc, CodiceS, CodiceD, Controllo) VALUES (63, 25, '940', 'D0683', 0);
INSERT INTO legameDocClass (ID, IDDoc, CodiceS, CodiceD, Controllo) VALUES (64, 25, '940', 'D0686', 0);
INSERT INTO legameDocClass (ID, IDDoc, CodiceS, CodiceD, Controllo) VALUES (65, 26, '940', 'D0682', 0);
INSERT INTO legameDocClass (ID, IDDoc, CodiceS, CodiceD, Controllo) VALUES (66, 26, '940', 'D0681', 0);
INSERT INTO legameDocClass (ID, IDDoc, CodiceS, CodiceD, Controllo) VALUES (67, 27, '950', 'D0696', 0);
INSERT INTO legameDocClass (ID, IDDoc, CodiceS, CodiceD, Controllo) VALUES (68, 28, '330', 'D0261', 0);
INSERT INTO legameDocClass (ID, IDDoc, CodiceS, CodiceD, Controllo) VALUES (69, 28, '330', 'D0258', 0);
INSERT INTO legameDocClass (ID, IDDoc, CodiceS, CodiceD, Controllo) VALUES (70, 28, '330', 'D0262', 0);
INSERT INTO legameDocClass (ID, IDDoc, CodiceS, CodiceD, Controllo) VALUES (71, 29, '430', 'D0318', 0);
INSERT INTO legameDocClass (ID, IDDoc, CodiceS, CodiceD, Controllo) VALUES (72, 29, '430', 'D0325', 0);
INSERT INTO legameDocClass (ID, IDDoc, CodiceS, CodiceD, Controllo) VALUES (73, 29, '470', 'D0367', 0);
INSERT INTO legameDocClass (ID, IDDoc, CodiceS, CodiceD, Controllo) VALUES (74, 30, '460', 'D0365', 0);
INSERT INTO legameDocClass (ID, IDDoc, CodiceS, CodiceD, Controllo) VALUES (75, 30, '730', 'D0560', 0);
INSERT INTO legameDocClass (ID, IDDoc, CodiceS, CodiceD, Controllo) VALUES (76, 30, '740', 'D0568', 0);

-- Sources, each stored once; testo is the composed citation.
INSERT INTO tabFonte (IDFonte, TP, articolo, comma, lettera, allegato, ripa, ripc, numero, numeroP, giorno, anno, mese, altro, testo, IDNomeFonte, IDRegione, IDCitta, IDProvincia, IDMinistero, IDAmministrazione, IDAutorita, IDSezione, IDStato, Ordinanza, Decreto) VALUES (1, 'GICA', '', '', '', '', '', '', '26972', '', '11', '2008', '11', '', 'Cass. sez. un. 11 novembre 2008, n. 26972', 150, 0, 0, 0, 0, 0, 0, 9, 0, 0, 0);
INSERT INTO tabFonte (IDFonte, TP, articolo, comma, lettera, allegato, ripa, ripc, numero, numeroP, giorno, anno, mese, altro, testo, IDNomeFonte, IDRegione, IDCitta, IDProvincia, IDMinistero, IDAmministrazione, IDAutorita, IDSezione, IDStato, Ordinanza, Decreto) VALUES (2, 'LIC', '2043', '', '', '', '', '', '', '', '', '', '0', '', 'art. 2043 c.c.', 10, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0);
INSERT INTO tabFonte (IDFonte, TP, articolo, comma, lettera, allegato, ripa, ripc, numero, numeroP, giorno, anno, mese, altro, testo, IDNomeFonte, IDRegione, IDCitta, IDProvincia, IDMinistero, IDAmministrazione, IDAutorita, IDSezione, IDStato, Ordinanza, Decreto) VALUES (3, 'LIC', '2059', '', '', '', '', '', '', '', '', '', '0', '', 'art. 2059 c.c.', 10, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0);
INSERT INTO tabFonte (IDFonte, TP, articolo, comma, lettera, allegato, ripa, ripc, numero, numeroP, giorno, anno, mese, altro, testo, IDNomeFonte, IDRegione, IDCitta, IDProvincia, IDMinistero, IDAmministrazione, IDAutorita, IDSezione, IDStato, Ordinanza, Decreto) VALUES (4, 'LIC', '2', '', '', '', '', '', '', '', '', '', '0', '', 'art. 2 Cost.', 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0);
INSERT INTO tabFonte (IDFonte, TP, articolo, comma, lettera, allegato, ripa, ripc, numero, numeroP, giorno, anno, mese, altro, testo, IDNomeFonte, IDRegione, IDCitta, IDProvincia, IDMinistero, IDAmministrazione, IDAutorita, IDSezione, IDStato, Ordinanza, Decreto) VALUES (5, 'LIC', '1341', '', '', '', '', '', '', '', '', '', '0', '', 'art. 1341 c.c.', 10, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0);
INSERT INTO tabFonte (IDFonte, TP, articolo, comma, lettera, allegato, ripa, ripc, numero, numeroP, giorno, anno, mese, altro, testo, IDNomeFonte, IDRegione, IDCitta, IDProvincia, IDMinistero, IDAmministrazione, IDAutorita, IDSezione, IDStato, Ordinanza, Decreto) VALUES (6, 'LIC', '33', '', '', '', '', '', '', '', '', '', '0', '', 'art. 33 c. consumo', 20, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0);
INSERT INTO tabFonte (IDFonte, TP, articolo, comma, lettera, allegato, ripa, ripc, numero, numeroP, giorno, anno, mese, altro, testo, IDNomeFonte, IDRegione, IDCitta, IDProvincia, IDMinistero, IDAmministrazione, IDAutorita, IDSezione, IDStato, Ordinanza, Decreto) VALUES (7, 'NIC', '', '', '', '', '', '', '13', '', '', '1993', '0', '', 'Dir. CEE 93/13', 17, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0);
INSERT INTO tabFonte (IDFonte, TP, articolo, comma, lettera, allegato, ripa, ripc, numero, numeroP, giorno, anno, mese, altro, testo, IDNomeFonte, IDRegione, IDCitta, IDProvincia, IDMinistero, IDAmministrazione, IDAutorita, IDSezione, IDStato, Ordinanza, Decreto) VALUES (8, 'LIAB', '6', '', '', '', '', '', '', '', '', '', '0', '', 'art. 6 Norme bancarie uniformi', 29, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0);
INSERT INTO tabFonte (IDFonte, TP, articolo, comma, lettera, allegato, ripa, ripc, numero, numeroP, giorno, anno, mese, altro, testo, IDNomeFonte, IDRegione, IDCitta, IDProvincia, IDMinistero, IDAmministrazione, IDAutorita, IDSezione, IDStato, Ordinanza, Decreto) VALUES (9, 'LIO', '', '', '', 'I.1', '', '', '36', '', '31', '2023', '3', '', 'd.lg. 31 marzo 2023, n. 36, all. I.1', 53, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0);
INSERT INTO tabFonte (IDFonte, TP, articolo, comma, lettera, allegato, ripa, ripc, numero, numeroP, giorno, anno, mese, altro, testo, IDNomeFonte, IDRegione, IDCitta, IDProvincia, IDMinistero, IDAmministrazione, IDAutorita, IDSezione, IDStato, Ordinanza, Decreto) VALUES (10, 'LIC', '1', '', '', '', '', '', '', '', '', '', '0', '', 'art. 1 c. contratti pubblici', 24, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0);
INSERT INTO tabFonte (IDFonte, TP, articolo, comma, lettera, allegato, ripa, ripc, numero, numeroP, giorno, anno, mese, altro, testo, IDNomeFonte, IDRegione, IDCitta, IDProvincia, IDMinistero, IDAmministrazione, IDAutorita, IDSezione, IDStato, Ordinanza, Decreto) VALUES (11, 'LIC', '97', '', '', '', '', '', '', '', '', '', '0', '', 'art. 97 Cost.', 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0);
INSERT INTO tabFonte (IDFonte, TP, articolo, comma, lettera, allegato, ripa, ripc, numero, numeroP, giorno, anno, mese, altro, testo, IDNomeFonte, IDRegione, IDCitta, IDProvincia, IDMinistero, IDAmministrazione, IDAutorita, IDSezione, IDStato, Ordinanza, Decreto) VALUES (12, 'NIC', '17', '', '', '', '', '', '679', '', '', '2016', '0', '', 'art. 17 Reg. UE 2016/679', 16, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0);
INSERT INTO tabFonte (IDFonte, TP, articolo, comma, lettera, allegato, ripa, ripc, numero, numeroP, giorno, anno, mese, altro, testo, IDNomeFonte, IDRegione, IDCitta, IDProvincia, IDMinistero, IDAmministrazione, IDAutorita, IDSezione, IDStato, Ordinanza, Decreto) VALUES (13, 'LIO', '', '', '', '', '', '', '196', '', '30', '2003', '6', '', 'd.lg. 30 giugno 2003, n. 196', 53, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0);
INSERT INTO tabFonte (IDFonte, TP, articolo, comma, lettera, allegato, ripa, ripc, numero, numeroP, giorno, anno, mese, altro, testo, IDNomeFonte, IDRegione, IDCitta, IDProvincia, IDMinistero, IDAmministrazione, IDAutorita, IDSezione, IDStato, Ordinanza, Decreto) VALUES (14, 'LIOA', '', '', '', '', '', '', '229', '', '8', '2014', '5', '', 'provv. Garante per la protezione dei dati personali 8 maggio 2014, n. 229', 103, 0, 0, 0, 0, 0, 1, 0, 0, 0, 0);
INSERT INTO tabFonte (IDFonte, TP, articolo, comma, lettera, allegato, ripa, ripc, numero, numeroP, giorno, anno, mese, altro, testo, IDNomeFonte, IDRegione, IDCitta, IDProvincia, IDMinistero, IDAmministrazione, IDAutorita, IDSezione, IDStato, Ordinanza, Decreto) VALUES (15, 'GEC', '', '', '', '', '', '', '', '', '13', '2014', '5', 'C-131/12', 'C. giust. UE Grande sezione 13 maggio 2014 (C-131/12)', 32, 0, 0, 0, 0, 0, 0, 42, 0, 0, 0);
INSERT INTO tabFonte (IDFonte, TP, articolo, comma, lettera, allegato, ripa, ripc, numero, numeroP, giorno, anno, mese, altro, testo, IDNomeFonte, IDRegione, IDCitta, IDProvincia, IDMinistero, IDAmministrazione, IDAutorita, IDSezione, IDStato, Ordinanza, Decreto) VALUES (16, 'LIC', '640', '', '', '', 'ter', '', '', '', '', '', '0', '', 'art. 640 ter c.p.', 11, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0);
INSERT INTO tabFonte (IDFonte, TP, articolo, comma, lettera, allegato, ripa, ripc, numero, numeroP, giorno, anno, mese, altro, testo, IDNomeFonte, IDRegione, IDCitta, IDProvincia, IDMinistero, IDAmministrazione, IDAutorita, IDSezione, IDStato, Ordinanza, Decreto) VALUES (17, 'GICO', '', '', '', '', '', '', '348', '', '24', '2007', '10', '', 'C. Cost. 24 ottobre 2007, n. 348', 151, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0);
INSERT INTO tabFonte (IDFonte, TP, articolo, comma, lettera, allegato, ripa, ripc, numero, numeroP, giorno, anno, mese, altro, testo, IDNomeFonte, IDRegione, IDCitta, IDProvincia, IDMinistero, IDAmministrazione, IDAutorita, IDSezione, IDStato, Ordinanza, Decreto) VALUES (18, 'LIC', '117', '1', '', '', '', '', '', '', '', '', '0', '', 'art. 117 comma 1 Cost.', 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0);
INSERT INTO tabFonte (IDFonte, TP, articolo, comma, lettera, allegato, ripa, ripc, numero, numeroP, giorno, anno, mese, altro, testo, IDNomeFonte, IDRegione, IDCitta, IDProvincia, IDMinistero, IDAmministrazione, IDAutorita, IDSezione, IDStato, Ordinanza, Decreto) VALUES (19, 'NIT', '6', '', '', '', '', '', '848', '', '4', '1950', '11', 'Convenzione per la salvaguardia dei diritti dell''uomo e delle libertà fondamentali (ratificata con l. 4 agosto 1955, n. 848)', 'art. 6 Conv. eur. dir. uomo Roma 4 novembre 1950', 101, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0);
INSERT INTO tabFonte (IDFonte, TP, articolo, comma, lettera, allegato, ripa, ripc, numero, numeroP, giorno, anno, mese, altro, testo, IDNomeFonte, IDRegione, IDCitta, IDProvincia, IDMinistero, IDAmministrazione, IDAutorita, IDSezione, IDStato, Ordinanza, Decreto) VALUES (20, 'LIO', '', '', '', '', '', '', '848', '', '4', '1955', '8', '', 'l. 4 agosto 1955, n. 848', 51, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0);
INSERT INTO tabFonte (IDFonte, TP, articolo, comma, lettera, allegato, ripa, ripc, numero, numeroP, giorno, anno, mese, altro, testo, IDNomeFonte, IDRegione, IDCitta, IDProvincia, IDMinistero, IDAmministrazione, IDAutorita, IDSezione, IDStato, Ordinanza, Decreto) VALUES (21, 'LIO', '10', '', '', '', 'bis', '', '212', '', '27', '2000', '7', '', 'art. 10 bis l. 27 luglio 2000, n. 212', 51, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0);
INSERT INTO tabFonte (IDFonte, TP, articolo, comma, lettera, allegato, ripa, ripc, numero, numeroP, giorno, anno, mese, altro, testo, IDNomeFonte, IDRegione, IDCitta, IDProvincia, IDMinistero, IDAmministrazione, IDAutorita, IDSezione, IDStato, Ordinanza, Decreto) VALUES (22, 'GICA', '', '', '', '', '', '', '1234', '', '21', '2020', '1', '', 'Cass. sez. trib. 21 gennaio 2020, n. 1234', 150, 0, 0, 0, 0, 0, 0, 10, 0, 0, 0);
INSERT INTO tabFonte (IDFonte, TP, articolo, comma, lettera, allegato, ripa, ripc, numero, numeroP, giorno, anno, mese, altro, testo, IDNomeFonte, IDRegione, IDCitta, IDProvincia, IDMinistero, IDAmministrazione, IDAutorita, IDSezione, IDStato, Ordinanza, Decreto) VALUES (23, 'GIT', '', '', '', '', '', '', '900', '', '3', '2015', '3', '', 'Comm. reg. LO sez. I 3 marzo 2015, n. 900', 183, 9, 0, 0, 0, 0, 0, 1, 0, 0, 0);
INSERT INTO tabFonte (IDFonte, TP, articolo, comma, lettera, allegato, ripa, ripc, numero, numeroP, giorno, anno, mese, altro, testo, IDNomeFonte, IDRegione, IDCitta, IDProvincia, IDMinistero, IDAmministrazione, IDAutorita, IDSezione, IDStato, Ordinanza, Decreto) VALUES (24, 'GIT', '', '', '', '', '', '', '1234', '', '10', '2023', '10', '', 'C. giust. trib. I grado - Milano sez. III 10 ottobre 2023, n. 1234', 185, 0, 2, 0, 0, 0, 0, 3, 0, 0, 0);
INSERT INTO tabFonte (IDFonte, TP, articolo, comma, lettera, allegato, ripa, ripc, numero, numeroP, giorno, anno, mese, altro, testo, IDNomeFonte, IDRegione, IDCitta, IDProvincia, IDMinistero, IDAmministrazione, IDAutorita, IDSezione, IDStato, Ordinanza, Decreto) VALUES (25, 'LIO', '38', '', '', '', '', '', '600', '', '29', '1973', '9', '', 'art. 38 d.p.r. 29 settembre 1973, n. 600', 54, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0);
INSERT INTO tabFonte (IDFonte, TP, articolo, comma, lettera, allegato, ripa, ripc, numero, numeroP, giorno, anno, mese, altro, testo, IDNomeFonte, IDRegione, IDCitta, IDProvincia, IDMinistero, IDAmministrazione, IDAutorita, IDSezione, IDStato, Ordinanza, Decreto) VALUES (26, 'LIO', '83', '', '', '', '', '', '917', '', '22', '1986', '12', '', 'art. 83 d.p.r. 22 dicembre 1986, n. 917', 54, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0);
INSERT INTO tabFonte (IDFonte, TP, articolo, comma, lettera, allegato, ripa, ripc, numero, numeroP, giorno, anno, mese, altro, testo, IDNomeFonte, IDRegione, IDCitta, IDProvincia, IDMinistero, IDAmministrazione, IDAutorita, IDSezione, IDStato, Ordinanza, Decreto) VALUES (27, 'LIOA', '', '', '', '', '', '', '34/E', '', '12', '2019', '3', '', 'risol. Agenzia delle entrate 12 marzo 2019, n. 34/E', 104, 0, 0, 0, 0, 1, 0, 0, 0, 0, 0);
INSERT INTO tabFonte (IDFonte, TP, articolo, comma, lettera, allegato, ripa, ripc, numero, numeroP, giorno, anno, mese, altro, testo, IDNomeFonte, IDRegione, IDCitta, IDProvincia, IDMinistero, IDAmministrazione, IDAutorita, IDSezione, IDStato, Ordinanza, Decreto) VALUES (28, 'LIO', '19', '', '', '', '', '', '633', '', '26', '1972', '10', '', 'art. 19 d.p.r. 26 ottobre 1972, n. 633', 54, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0);
INSERT INTO tabFonte (IDFonte, TP, articolo, comma, lettera, allegato, ripa, ripc, numero, numeroP, giorno, anno, mese, altro, testo, IDNomeFonte, IDRegione, IDCitta, IDProvincia, IDMinistero, IDAmministrazione, IDAutorita, IDSezione, IDStato, Ordinanza, Decreto) VALUES (29, 'NIC', '168', '', '', '', '', '', '112', '', '', '2006', '0', '', 'art. 168 Dir. CE 2006/112', 18, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0);
INSERT INTO tabFonte (IDFonte, TP, articolo, comma, lettera, allegato, ripa, ripc, numero, numeroP, giorno, anno, mese, altro, testo, IDNomeFonte, IDRegione, IDCitta, IDProvincia, IDMinistero, IDAmministrazione, IDAutorita, IDSezione, IDStato, Ordinanza, Decreto) VALUES (30, 'GIS', '', '', '', '', '', '', '', '', '15', '2021', '7', 'Corte federale d''appello FIGC', 'giur. sport 15 luglio 2021 (Corte federale d''appello FIGC)', 154, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0);
INSERT INTO tabFonte (IDFonte, TP, articolo, comma, lettera, allegato, ripa, ripc, numero, numeroP, giorno, anno, mese, altro, testo, IDNomeFonte, IDRegione, IDCitta, IDProvincia, IDMinistero, IDAmministrazione, IDAutorita, IDSezione, IDStato, Ordinanza, Decreto) VALUES (31, 'LIO', '3', '', '', '', '', '', '280', '', '17', '2003', '10', '', 'art. 3 l. 17 ottobre 2003, n. 280', 51, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0);
INSERT INTO tabFonte (IDFonte, TP, articolo, comma, lettera, allegato, ripa, ripc, numero, numeroP, giorno, anno, mese, altro, testo, IDNomeFonte, IDRegione, IDCitta, IDProvincia, IDMinistero, IDAmministrazione, IDAutorita, IDSezione, IDStato, Ordinanza, Decreto) VALUES (32, 'LIO', '25', '', '', '', '', '', '36', '', '28', '2021', '2', '', 'art. 25 d.lg. 28 febbraio 2021, n. 36', 53, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0);
INSERT INTO tabFonte (IDFonte, TP, articolo, comma, lettera, allegato, ripa, ripc, numero, numeroP, giorno, anno, mese, altro, testo, IDNomeFonte, IDRegione, IDCitta, IDProvincia, IDMinistero, IDAmministrazione, IDAutorita, IDSezione, IDStato, Ordinanza, Decreto) VALUES (33, 'LIC', '117', '2', 'e', '', '', '', '', '', '', '', '0', '', 'art. 117 comma 2 lett. e Cost.', 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0);
INSERT INTO tabFonte (IDFonte, TP, articolo, comma, lettera, allegato, ripa, ripc, numero, numeroP, giorno, anno, mese, altro, testo, IDNomeFonte, IDRegione, IDCitta, IDProvincia, IDMinistero, IDAmministrazione, IDAutorita, IDSezione, IDStato, Ordinanza, Decreto) VALUES (34, 'LICO', '', '', '', '', '', '', '3', '', '18', '2001', '10', '', 'l. cost. 18 ottobre 2001, n. 3', 50, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0);
INSERT INTO tabFonte (IDFonte, TP, articolo, comma, lettera, allegato, ripa, ripc, numero, numeroP, giorno, anno, mese, altro, testo, IDNomeFonte, IDRegione, IDCitta, IDProvincia, IDMinistero, IDAmministrazione, IDAutorita, IDSezione, IDStato, Ordinanza, Decreto) VALUES (35, 'GICO', '', '', '', '', '', '', '1000', '', '17', '1988', '11', '', 'C. Cost. 17 novembre 1988, n. 1000', 151, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0);
INSERT INTO tabFonte (IDFonte, TP, articolo, comma, lettera, allegato, ripa, ripc, numero, numeroP, giorno, anno, mese, altro, testo, IDNomeFonte, IDRegione, IDCitta, IDProvincia, IDMinistero, IDAmministrazione, IDAutorita, IDSezione, IDStato, Ordinanza, Decreto) VALUES (36, 'LICO', '1', '', '', '', '', '', '1', '', '19', '2020', '10', '', 'art. 1 l. cost. 19 ottobre 2020, n. 1', 50, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0);
INSERT INTO tabFonte (IDFonte, TP, articolo, comma, lettera, allegato, ripa, ripc, numero, numeroP, giorno, anno, mese, altro, testo, IDNomeFonte, IDRegione, IDCitta, IDProvincia, IDMinistero, IDAmministrazione, IDAutorita, IDSezione, IDStato, Ordinanza, Decreto) VALUES (37, 'LIOA', '96', '', '', '', 'bis', '', '', '', '', '', '0', '', 'art. 96 bis reg. cam.', 85, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0);
INSERT INTO tabFonte (IDFonte, TP, articolo, comma, lettera, allegato, ripa, ripc, numero, numeroP, giorno, anno, mese, altro, testo, IDNomeFonte, IDRegione, IDCitta, IDProvincia, IDMinistero, IDAmministrazione, IDAutorita, IDSezione, IDStato, Ordinanza, Decreto) VALUES (38, 'LIOA', '78', '', '', '', '', '', '', '', '', '', '0', '', 'art. 78 reg. sen.', 86, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0);
INSERT INTO tabFonte (IDFonte, TP, articolo, comma, lettera, allegato, ripa, ripc, numero, numeroP, giorno, anno, mese, altro, testo, IDNomeFonte, IDRegione, IDCitta, IDProvincia, IDMinistero, IDAmministrazione, IDAutorita, IDSezione, IDStato, Ordinanza, Decreto) VALUES (39, 'GICA', '', '', '', '', '', '', '194', '', '8', '2020', '1', '', 'Cass. sez. lav. 8 gennaio 2020, n. 194', 150, 0, 0, 0, 0, 0, 0, 8, 0, 0, 0);
INSERT INTO tabFonte (IDFonte, TP, articolo, comma, lettera, allegato, ripa, ripc, numero, numeroP, giorno, anno, mese, altro, testo, IDNomeFonte, IDRegione, IDCitta, IDProvincia, IDMinistero, IDAmministrazione, IDAutorita, IDSezione, IDStato, Ordinanza, Decreto) VALUES (40, 'LIO', '3', '1', '', '', '', '', '23', '', '4', '2015', '3', '', 'art. 3 comma 1 d.lg. 4 marzo 2015, n. 23', 53, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0);
INSERT INTO tabFonte (IDFonte, TP, articolo, comma, lettera, allegato, ripa, ripc, numero, numeroP, giorno, anno, mese, altro, testo, IDNomeFonte, IDRegione, IDCitta, IDProvincia, IDMinistero, IDAmministrazione, IDAutorita, IDSezione, IDStato, Ordinanza, Decreto) VALUES (41, 'LIO', '18', '', '', '', '', '', '300', '', '20', '1970', '5', '', 'art. 18 l. 20 maggio 1970, n. 300', 51, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0);
INSERT INTO tabFonte (IDFonte, TP, articolo, comma, lettera, allegato, ripa, ripc, numero, numeroP, giorno, anno, mese, altro, testo, IDNomeFonte, IDRegione, IDCitta, IDProvincia, IDMinistero, IDAmministrazione, IDAutorita, IDSezione, IDStato, Ordinanza, Decreto) VALUES (42, 'GICA', '', '', '', '', '', '', '9876', '', '14', '2021', '4', '', 'ord. Cass. sez. VI-3 14 aprile 2021, n. 9876', 150, 0, 0, 0, 0, 0, 0, 44, 0, -1, 0);
INSERT INTO tabFonte (IDFonte, TP, articolo, comma, lettera, allegato, ripa, ripc, numero, numeroP, giorno, anno, mese, altro, testo, IDNomeFonte, IDRegione, IDCitta, IDProvincia, IDMinistero, IDAmministrazione, IDAutorita, IDSezione, IDStato, Ordinanza, Decreto) VALUES (43, 'LIO', '18', '', '', '', '', '', '81', '', '22', '2017', '5', '', 'art. 18 l. 22 maggio 2017, n. 81', 51, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0);
INSERT INTO tabFonte (IDFonte, TP, articolo, comma, lettera, allegato, ripa, ripc, numero, numeroP, giorno, anno, mese, altro, testo, IDNomeFonte, IDRegione, IDCitta, IDProvincia, IDMinistero, IDAmministrazione, IDAutorita, IDSezione, IDStato, Ordinanza, Decreto) VALUES (44, 'AC', '', '', '', '', '', '', '', '', '21', '2018', '5', 'comparto sanità', 'c.c.n.l. 21 maggio 2018 (comparto sanità)', 140, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0);
INSERT INTO tabFonte (IDFonte, TP, articolo, comma, lettera, allegato, ripa, ripc, numero, numeroP, giorno, anno, mese, altro, testo, IDNomeFonte, IDRegione, IDCitta, IDProvincia, IDMinistero, IDAmministrazione, IDAutorita, IDSezione, IDStato, Ordinanza, Decreto) VALUES (45, 'GIO', '', '', '', '', '', '', '210', '', '14', '2025', '2', '', 'Trib. Busto Arsizio sez. II 14 febbraio 2025, n. 210', 161, 0, 58, 0, 0, 0, 0, 2, 0, 0, 0);
INSERT INTO tabFonte (IDFonte, TP, articolo, comma, lettera, allegato, ripa, ripc, numero, numeroP, giorno, anno, mese, altro, testo, IDNomeFonte, IDRegione, IDCitta, IDProvincia, IDMinistero, IDAmministrazione, IDAutorita, IDSezione, IDStato, Ordinanza, Decreto) VALUES (46, 'LIO', '28', '', '', '', '', '', '81', '', '9', '2008', '4', '', 'art. 28 d.lg. 9 aprile 2008, n. 81', 53, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0);
INSERT INTO tabFonte (IDFonte, TP, articolo, comma, lettera, allegato, ripa, ripc, numero, numeroP, giorno, anno, mese, altro, testo, IDNomeFonte, IDRegione, IDCitta, IDProvincia, IDMinistero, IDAmministrazione, IDAutorita, IDSezione, IDStato, Ordinanza, Decreto) VALUES (47, 'NIC', '', '', '', '', '', '', '1152', '', '', '2019', '0', '', 'Dir. UE 2019/1152', 19, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0);
INSERT INTO tabFonte (IDFonte, TP, articolo, comma, lettera, allegato, ripa, ripc, numero, numeroP, giorno, anno, mese, altro, testo, IDNomeFonte, IDRegione, IDCitta, IDProvincia, IDMinistero, IDAmministrazione, IDAutorita, IDSezione, IDStato, Ordinanza, Decreto) VALUES (48, 'LIO', '1', '', '', '', '', '', '104', '', '27', '2022', '6', '', 'art. 1 d.lg. 27 giugno 2022, n. 104', 53, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0);
INSERT INTO tabFonte (IDFonte, TP, articolo, comma, lettera, allegato, ripa, ripc, numero, numeroP, giorno, anno, mese, altro, testo, IDNomeFonte, IDRegione, IDCitta, IDProvincia, IDMinistero, IDAmministrazione, IDAutorita, IDSezione, IDStato, Ordinanza, Decreto) VALUES (49, 'NS', '1240', '', '', '', '', '', '', '', '', '', '0', '', 'art. 1240 Code civil (Francia)', 0, 0, 0, 0, 0, 0, 0, 0, 1, 0, 0);
INSERT INTO tabFonte (IDFonte, TP, articolo, comma, lettera, allegato, ripa, ripc, numero, numeroP, giorno, anno, mese, altro, testo, IDNomeFonte, IDRegione, IDCitta, IDProvincia, IDMinistero, IDAmministrazione, IDAutorita, IDSezione, IDStato, Ordinanza, Decreto) VALUES (50, 'NS', '1382', '', '', '', '', '', '', '', '', '', '0', '', 'art. 1382 Code civil (Francia)', 0, 0, 0, 0, 0, 0, 0, 0, 1, 0, 0);
INSERT INTO tabFonte (IDFonte, TP, articolo, comma, lettera, allegato, ripa, ripc, numero, numeroP, giorno, anno, mese, altro, testo, IDNomeFonte, IDRegione, IDCitta, IDProvincia, IDMinistero, IDAmministrazione, IDAutorita, IDSezione, IDStato, Ordinanza, Decreto) VALUES (51, 'NS', '823', '1', '', '', '', '', '', '', '', '', '0', '', 'art. 823 comma 1 BGB (Germania)', 0, 0, 0, 0, 0, 0, 0, 0, 2, 0, 0);
INSERT INTO tabFonte (IDFonte, TP, articolo, comma, lettera, allegato, ripa, ripc, numero, numeroP, giorno, anno, mese, altro, testo, IDNomeFonte, IDRegione, IDCitta, IDProvincia, IDMinistero, IDAmministrazione, IDAutorita, IDSezione, IDStato, Ordinanza, Decreto) VALUES (52, 'GS', '', '', '', '', '', '', '', '', '27', '2009', '2', '', 'Cour de cassation, ch. mixte 27 febbraio 2009 (Francia)', 0, 0, 0, 0, 0, 0, 0, 0, 1, 0, 0);
INSERT INTO tabFonte (IDFonte, TP, articolo, comma, lettera, allegato, ripa, ripc, numero, numeroP, giorno, anno, mese, altro, testo, IDNomeFonte, IDRegione, IDCitta, IDProvincia, IDMinistero, IDAmministrazione, IDAutorita, IDSezione, IDStato, Ordinanza, Decreto) VALUES (53, 'GS', '', '', '', '', '', '', '14-556', '', '26', '2015', '6', '', 'Supreme Court 26 giugno 2015, n. 14-556 (Stati Uniti d''America)', 0, 0, 0, 0, 0, 0, 0, 0, 5, 0, 0);
INSERT INTO tabFonte (IDFonte, TP, articolo, comma, lettera, allegato, ripa, ripc, numero, numeroP, giorno, anno, mese, altro, testo, IDNomeFonte, IDRegione, IDCitta, IDProvincia, IDMinistero, IDAmministrazione, IDAutorita, IDSezione, IDStato, Ordinanza, Decreto) VALUES (54, 'LIO', '2', '', '', '', '', '', '14', '', '12', '2019', '1', '', 'art. 2 d.lg. 12 gennaio 2019, n. 14', 53, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0);
INSERT INTO tabFonte (IDFonte, TP, articolo, comma, lettera, allegato, ripa, ripc, numero, numeroP, giorno, anno, mese, altro, testo, IDNomeFonte, IDRegione, IDCitta, IDProvincia, IDMinistero, IDAmministrazione, IDAutorita, IDSezione, IDStato, Ordinanza, Decreto) VALUES (55, 'LIC', '84', '', '', '', '', '', '', '', '', '', '0', '', 'art. 84 c. crisi impresa', 28, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0);
INSERT INTO tabFonte (IDFonte, TP, articolo, comma, lettera, allegato, ripa, ripc, numero, numeroP, giorno, anno, mese, altro, testo, IDNomeFonte, IDRegione, IDCitta, IDProvincia, IDMinistero, IDAmministrazione, IDAutorita, IDSezione, IDStato, Ordinanza, Decreto) VALUES (56, 'LIO', '67', '', '', '', '', '', '267', '', '16', '1942', '3', '', 'art. 67 r.d. 16 marzo 1942, n. 267', 55, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0);
INSERT INTO tabFonte (IDFonte, TP, articolo, comma, lettera, allegato, ripa, ripc, numero, numeroP, giorno, anno, mese, altro, testo, IDNomeFonte, IDRegione, IDCitta, IDProvincia, IDMinistero, IDAmministrazione, IDAutorita, IDSezione, IDStato, Ordinanza, Decreto) VALUES (57, 'GIO', '', '', '', '', '', '', '5511', '', '5', '2019', '6', '', 'Trib. Milano 5 giugno 2019, n. 5511', 161, 0, 2, 0, 0, 0, 0, 0, 0, 0, 0);
INSERT INTO tabFonte (IDFonte, TP, articolo, comma, lettera, allegato, ripa, ripc, numero, numeroP, giorno, anno, mese, altro, testo, IDNomeFonte, IDRegione, IDCitta, IDProvincia, IDMinistero, IDAmministrazione, IDAutorita, IDSezione, IDStato, Ordinanza, Decreto) VALUES (58, 'LIC', '2497', '', '', '', 'bis', '', '', '', '', '', '0', '', 'art. 2497 bis c.c.', 10, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0);
INSERT INTO tabFonte (IDFonte, TP, articolo, comma, lettera, allegato, ripa, ripc, numero, numeroP, giorno, anno, mese, altro, testo, IDNomeFonte, IDRegione, IDCitta, IDProvincia, IDMinistero, IDAmministrazione, IDAutorita, IDSezione, IDStato, Ordinanza, Decreto) VALUES (59, 'LIO', '6', '2', '', '', '', '', '231', '', '8', '2001', '6', '', 'art. 6 comma 2 d.lg. 8 giugno 2001, n. 231', 53, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0);
INSERT INTO tabFonte (IDFonte, TP, articolo, comma, lettera, allegato, ripa, ripc, numero, numeroP, giorno, anno, mese, altro, testo, IDNomeFonte, IDRegione, IDCitta, IDProvincia, IDMinistero, IDAmministrazione, IDAutorita, IDSezione, IDStato, Ordinanza, Decreto) VALUES (60, 'GIO', '', '', '', '', '', '', '', '', '12', '2023', '7', '', 'decr. Trib. Milano sez. imprese 12 luglio 2023', 161, 0, 2, 0, 0, 0, 0, 39, 0, 0, -1);
INSERT INTO tabFonte (IDFonte, TP, articolo, comma, lettera, allegato, ripa, ripc, numero, numeroP, giorno, anno, mese, altro, testo, IDNomeFonte, IDRegione, IDCitta, IDProvincia, IDMinistero, IDAmministrazione, IDAutorita, IDSezione, IDStato, Ordinanza, Decreto) VALUES (61, 'GIO', '', '', '', '', '', '', '812', '', '2', '2024', '10', 'G.i.p.', 'Trib. G.i.p. Milano 2 ottobre 2024, n. 812', 161, 0, 2, 0, 0, 0, 0, 0, 0, 0, 0);
INSERT INTO tabFonte (IDFonte, TP, articolo, comma, lettera, allegato, ripa, ripc, numero, numeroP, giorno, anno, mese, altro, testo, IDNomeFonte, IDRegione, IDCitta, IDProvincia, IDMinistero, IDAmministrazione, IDAutorita, IDSezione, IDStato, Ordinanza, Decreto) VALUES (62, 'GEC', '', '', '', '', '', '', '', '', '19', '1991', '11', 'C-6/90', 'C. giust. CE 19 novembre 1991 (C-6/90)', 31, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0);
INSERT INTO tabFonte (IDFonte, TP, articolo, comma, lettera, allegato, ripa, ripc, numero, numeroP, giorno, anno, mese, altro, testo, IDNomeFonte, IDRegione, IDCitta, IDProvincia, IDMinistero, IDAmministrazione, IDAutorita, IDSezione, IDStato, Ordinanza, Decreto) VALUES (63, 'GEC', '', '', '', '', '', '', '', '', '8', '2015', '9', 'C-105/14', 'C. giust. UE Grande sezione 8 settembre 2015 (C-105/14)', 32, 0, 0, 0, 0, 0, 0, 42, 0, 0, 0);
INSERT INTO tabFonte (IDFonte, TP, articolo, comma, lettera, allegato, ripa, ripc, numero, numeroP, giorno, anno, mese, altro, testo, IDNomeFonte, IDRegione, IDCitta, IDProvincia, IDMinistero, IDAmministrazione, IDAutorita, IDSezione, IDStato, Ordinanza, Decreto) VALUES (64, 'GICO', '', '', '', '', '', '', '24', '', '26', '2017', '1', '', 'ord. C. Cost. 26 gennaio 2017, n. 24', 151, 0, 0, 0, 0, 0, 0, 0, 0, -1, 0);
INSERT INTO tabFonte (IDFonte, TP, articolo, comma, lettera, allegato, ripa, ripc, numero, numeroP, giorno, anno, mese, altro, testo, IDNomeFonte, IDRegione, IDCitta, IDProvincia, IDMinistero, IDAmministrazione, IDAutorita, IDSezione, IDStato, Ordinanza, Decreto) VALUES (65, 'NIC', '267', '', '', '', '', '', '', '', '', '', '0', '', 'art. 267 TFUE', 6, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0);
INSERT INTO tabFonte (IDFonte, TP, articolo, comma, lettera, allegato, ripa, ripc, numero, numeroP, giorno, anno, mese, altro, testo, IDNomeFonte, IDRegione, IDCitta, IDProvincia, IDMinistero, IDAmministrazione, IDAutorita, IDSezione, IDStato, Ordinanza, Decreto) VALUES (66, 'NIC', '85', '', '', '', '', '', '', '', '', '', '0', '', 'art. 85 Tratt. CE', 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0);
INSERT INTO tabFonte (IDFonte, TP, articolo, comma, lettera, allegato, ripa, ripc, numero, numeroP, giorno, anno, mese, altro, testo, IDNomeFonte, IDRegione, IDCitta, IDProvincia, IDMinistero, IDAmministrazione, IDAutorita, IDSezione, IDStato, Ordinanza, Decreto) VALUES (67, 'NIC', '47', '', '', '', '', '', '', '', '', '', '0', '', 'art. 47 Carta dir. fond. UE', 12, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0);
INSERT INTO tabFonte (IDFonte, TP, articolo, comma, lettera, allegato, ripa, ripc, numero, numeroP, giorno, anno, mese, altro, testo, IDNomeFonte, IDRegione, IDCitta, IDProvincia, IDMinistero, IDAmministrazione, IDAutorita, IDSezione, IDStato, Ordinanza, Decreto) VALUES (68, 'GEC', '', '', '', '', '', '', '', '', '6', '2018', '9', 'C-321/17', 'ord. C. giust. UE 6 settembre 2018 (C-321/17)', 32, 0, 0, 0, 0, 0, 0, 0, 0, -1, 0);
INSERT INTO tabFonte (IDFonte, TP, articolo, comma, lettera, allegato, ripa, ripc, numero, numeroP, giorno, anno, mese, altro, testo, IDNomeFonte, IDRegione, IDCitta, IDProvincia, IDMinistero, IDAmministrazione, IDAutorita, IDSezione, IDStato, Ordinanza, Decreto) VALUES (69, 'GEC', '', '', '', '', '', '', '', '', '10', '2021', '11', 'T-612/17', 'Trib. UE 10 novembre 2021 (T-612/17)', 34, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0);
INSERT INTO tabFonte (IDFonte, TP, articolo, comma, lettera, allegato, ripa, ripc, numero, numeroP, giorno, anno, mese, altro, testo, IDNomeFonte, IDRegione, IDCitta, IDProvincia, IDMinistero, IDAmministrazione, IDAutorita, IDSezione, IDStato, Ordinanza, Decreto) VALUES (70, 'NIC', '', '', '', '', '', '', '1408', '', '', '1971', '0', '', 'Reg. CEE 1408/71', 14, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0);
INSERT INTO tabFonte (IDFonte, TP, articolo, comma, lettera, allegato, ripa, ripc, numero, numeroP, giorno, anno, mese, altro, testo, IDNomeFonte, IDRegione, IDCitta, IDProvincia, IDMinistero, IDAmministrazione, IDAutorita, IDSezione, IDStato, Ordinanza, Decreto) VALUES (71, 'NIC', '', '', '', '', '', '', '883', '', '', '2004', '0', '', 'Reg. CE 883/2004', 15, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0);
INSERT INTO tabFonte (IDFonte, TP, articolo, comma, lettera, allegato, ripa, ripc, numero, numeroP, giorno, anno, mese, altro, testo, IDNomeFonte, IDRegione, IDCitta, IDProvincia, IDMinistero, IDAmministrazione, IDAutorita, IDSezione, IDStato, Ordinanza, Decreto) VALUES (72, 'NIC', '', '', '', '', '', '', '43', '', '', '1992', '0', '', 'Dir. CEE 92/43', 17, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0);
INSERT INTO tabFonte (IDFonte, TP, articolo, comma, lettera, allegato, ripa, ripc, numero, numeroP, giorno, anno, mese, altro, testo, IDNomeFonte, IDRegione, IDCitta, IDProvincia, IDMinistero, IDAmministrazione, IDAutorita, IDSezione, IDStato, Ordinanza, Decreto) VALUES (73, 'NIC', '', '', '', '', '', '', '', '', '26', '1995', '7', 'tutela degli interessi finanziari delle Comunità europee', 'Conv. UE 26 luglio 1995 (tutela degli interessi finanziari delle Comunità europee)', 30, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0);
INSERT INTO tabFonte (IDFonte, TP, articolo, comma, lettera, allegato, ripa, ripc, numero, numeroP, giorno, anno, mese, altro, testo, IDNomeFonte, IDRegione, IDCitta, IDProvincia, IDMinistero, IDAmministrazione, IDAutorita, IDSezione, IDStato, Ordinanza, Decreto) VALUES (74, 'GEI', '', '', '', '', '', '', '', '', '12', '2010', '1', 'Rossi e Bianchi c. Italia', 'C. eur. dir. uomo 12 gennaio 2010 (Rossi e Bianchi c. Italia)', 2, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0);
INSERT INTO tabFonte (IDFonte, TP, articolo, comma, lettera, allegato, ripa, ripc, numero, numeroP, giorno, anno, mese, altro, testo, IDNomeFonte, IDRegione, IDCitta, IDProvincia, IDMinistero, IDAmministrazione, IDAutorita, IDSezione, IDStato, Ordinanza, Decreto) VALUES (75, 'GEI', '', '', '', '', '', '', '', '', '4', '2014', '3', 'Grande Stevens e altri c. Italia', 'C. eur. dir. uomo sez. II 4 marzo 2014 (Grande Stevens e altri c. Italia)', 2, 0, 0, 0, 0, 0, 0, 2, 0, 0, 0);
INSERT INTO tabFonte (IDFonte, TP, articolo, comma, lettera, allegato, ripa, ripc, numero, numeroP, giorno, anno, mese, altro, testo, IDNomeFonte, IDRegione, IDCitta, IDProvincia, IDMinistero, IDAmministrazione, IDAutorita, IDSezione, IDStato, Ordinanza, Decreto) VALUES (76, 'GEI', '', '', '', '', '', '', '', '', '3', '2012', '2', 'Germania c. Italia', 'C. int. giust. 3 febbraio 2012 (Germania c. Italia)', 13, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0);
INSERT INTO tabFonte (IDFonte, TP, articolo, comma, lettera, allegato, ripa, ripc, numero, numeroP, giorno, anno, mese, altro, testo, IDNomeFonte, IDRegione, IDCitta, IDProvincia, IDMinistero, IDAmministrazione, IDAutorita, IDSezione, IDStato, Ordinanza, Decreto) VALUES (77, 'NIA', '', '', '', '', '', '', '217 A', '', '10', '1948', '12', 'Dichiarazione universale dei diritti dell''uomo', 'Ris. ONU Ass. Gen. 10 dicembre 1948, n. 217 A (Dichiarazione universale dei diritti dell''uomo)', 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0);
INSERT INTO tabFonte (IDFonte, TP, articolo, comma, lettera, allegato, ripa, ripc, numero, numeroP, giorno, anno, mese, altro, testo, IDNomeFonte, IDRegione, IDCitta, IDProvincia, IDMinistero, IDAmministrazione, IDAutorita, IDSezione, IDStato, Ordinanza, Decreto) VALUES (78, 'NIT', '35', '', '', '', '', '', '765', '', '11', '1980', '4', 'Convenzione delle Nazioni Unite sui contratti di compravendita internazionale di merci (ratificata con l. 11 dicembre 1985, n. 765)', 'art. 35 Conv. Vienna vendita internazionale di beni mobili 11 aprile 1980', 106, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0);
INSERT INTO tabFonte (IDFonte, TP, articolo, comma, lettera, allegato, ripa, ripc, numero, numeroP, giorno, anno, mese, altro, testo, IDNomeFonte, IDRegione, IDCitta, IDProvincia, IDMinistero, IDAmministrazione, IDAutorita, IDSezione, IDStato, Ordinanza, Decreto) VALUES (79, 'FSRG', '', '', '', '', '', '', '', '', '', '', '0', '', 'D. 9.2.11 pr.', 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0);
INSERT INTO tabFonte (IDFonte, TP, articolo, comma, lettera, allegato, ripa, ripc, numero, numeroP, giorno, anno, mese, altro, testo, IDNomeFonte, IDRegione, IDCitta, IDProvincia, IDMinistero, IDAmministrazione, IDAutorita, IDSezione, IDStato, Ordinanza, Decreto) VALUES (80, 'FSGP', '', '', '', '', '', '', '', '', '', '', '0', '', 'P. Oxy. II 237', 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0);
INSERT INTO tabFonte (IDFonte, TP, articolo, comma, lettera, allegato, ripa, ripc, numero, numeroP, giorno, anno, mese, altro, testo, IDNomeFonte, IDRegione, IDCitta, IDProvincia, IDMinistero, IDAmministrazione, IDAutorita, IDSezione, IDStato, Ordinanza, Decreto) VALUES (81, 'FSI', '', '', '', '', '', '', '', '', '', '', '0', '', 'Bartolo da Sassoferrato, Commentaria ad D. 41.2.1', 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0);
INSERT INTO tabFonte (IDFonte, TP, articolo, comma, lettera, allegato, ripa, ripc, numero, numeroP, giorno, anno, mese, altro, testo, IDNomeFonte, IDRegione, IDCitta, IDProvincia, IDMinistero, IDAmministrazione, IDAutorita, IDSezione, IDStato, Ordinanza, Decreto) VALUES (82, 'GIA', '', '', '', '', '', '', '17', '', '9', '2021', '11', '', 'Cons. St. ad. plen. 9 novembre 2021, n. 17', 191, 0, 0, 0, 0, 0, 0, 30, 0, 0, 0);
INSERT INTO tabFonte (IDFonte, TP, articolo, comma, lettera, allegato, ripa, ripc, numero, numeroP, giorno, anno, mese, altro, testo, IDNomeFonte, IDRegione, IDCitta, IDProvincia, IDMinistero, IDAmministrazione, IDAutorita, IDSezione, IDStato, Ordinanza, Decreto) VALUES (83, 'GIA', '', '', '', '', '', '', '12', '', '3', '2001', '5', '', 'TAR LA - Roma sez. II 3 maggio 2001, n. 12', 190, 7, 1, 0, 0, 0, 0, 2, 0, 0, 0);
INSERT INTO tabFonte (IDFonte, TP, articolo, comma, lettera, allegato, ripa, ripc, numero, numeroP, giorno, anno, mese, altro, testo, IDNomeFonte, IDRegione, IDCitta, IDProvincia, IDMinistero, IDAmministrazione, IDAutorita, IDSezione, IDStato, Ordinanza, Decreto) VALUES (84, 'LIO', '2', '', '', '', '', '', '214', '', '7', '1990', '8', '', 'art. 2 l. 7 agosto 1990, n. 214', 51, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0);
INSERT INTO tabFonte (IDFonte, TP, articolo, comma, lettera, allegato, ripa, ripc, numero, numeroP, giorno, anno, mese, altro, testo, IDNomeFonte, IDRegione, IDCitta, IDProvincia, IDMinistero, IDAmministrazione, IDAutorita, IDSezione, IDStato, Ordinanza, Decreto) VALUES (85, 'LIO', '3', '', '', '', '', '', '241', '', '7', '1990', '8', '', 'art. 3 l. 7 agosto 1990, n. 241', 51, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0);
INSERT INTO tabFonte (IDFonte, TP, articolo, comma, lettera, allegato, ripa, ripc, numero, numeroP, giorno, anno, mese, altro, testo, IDNomeFonte, IDRegione, IDCitta, IDProvincia, IDMinistero, IDAmministrazione, IDAutorita, IDSezione, IDStato, Ordinanza, Decreto) VALUES (86, 'LIO', '1', '7', '', '', '', '', '190', '', '6', '2012', '11', '', 'art. 1 comma 7 l. 6 novembre 2012, n. 190', 51, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0);
INSERT INTO tabFonte (IDFonte, TP, articolo, comma, lettera, allegato, ripa, ripc, numero, numeroP, giorno, anno, mese, altro, testo, IDNomeFonte, IDRegione, IDCitta, IDProvincia, IDMinistero, IDAmministrazione, IDAutorita, IDSezione, IDStato, Ordinanza, Decreto) VALUES (87, 'LIO', '5', '2', '', '', '', '', '33', '', '14', '2013', '3', '', 'art. 5 comma 2 d.lg. 14 marzo 2013, n. 33', 53, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0);
INSERT INTO tabFonte (IDFonte, TP, articolo, comma, lettera, allegato, ripa, ripc, numero, numeroP, giorno, anno, mese, altro, testo, IDNomeFonte, IDRegione, IDCitta, IDProvincia, IDMinistero, IDAmministrazione, IDAutorita, IDSezione, IDStato, Ordinanza, Decreto) VALUES (88, 'LIO', '83', '', '', '', '', '', '18', '', '17', '2020', '3', '', 'art. 83 d.l. 17 marzo 2020, n. 18', 52, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0);
INSERT INTO tabFonte (IDFonte, TP, articolo, comma, lettera, allegato, ripa, ripc, numero, numeroP, giorno, anno, mese, altro, testo, IDNomeFonte, IDRegione, IDCitta, IDProvincia, IDMinistero, IDAmministrazione, IDAutorita, IDSezione, IDStato, Ordinanza, Decreto) VALUES (89, 'LIOA', '1', '', '', '', '', '', '', '', '8', '2020', '3', '', 'art. 1 d.p.c.m. 8 marzo 2020', 60, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0);
INSERT INTO tabFonte (IDFonte, TP, articolo, comma, lettera, allegato, ripa, ripc, numero, numeroP, giorno, anno, mese, altro, testo, IDNomeFonte, IDRegione, IDCitta, IDProvincia, IDMinistero, IDAmministrazione, IDAutorita, IDSezione, IDStato, Ordinanza, Decreto) VALUES (90, 'GICC', '', '', '', '', '', '', '300', '', '5', '2022', '4', '', 'C. Conti LA sez. giur. 5 aprile 2022, n. 300', 153, 7, 0, 0, 0, 0, 0, 23, 0, 0, 0);
INSERT INTO tabFonte (IDFonte, TP, articolo, comma, lettera, allegato, ripa, ripc, numero, numeroP, giorno, anno, mese, altro, testo, IDNomeFonte, IDRegione, IDCitta, IDProvincia, IDMinistero, IDAmministrazione, IDAutorita, IDSezione, IDStato, Ordinanza, Decreto) VALUES (91, 'LIC', '3', '', '', '', '', '', '', '', '', '', '0', '', 'art. 3 Cost.', 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0);
INSERT INTO tabFonte (IDFonte, TP, articolo, comma, lettera, allegato, ripa, ripc, numero, numeroP, giorno, anno, mese, altro, testo, IDNomeFonte, IDRegione, IDCitta, IDProvincia, IDMinistero, IDAmministrazione, IDAutorita, IDSezione, IDStato, Ordinanza, Decreto) VALUES (92, 'FCC', '1095', '', '', '', '', '', '', '2', '', '1983', '0', '', 'can. 1095 n. 2 C. Iur. Can. 1983', 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0);
INSERT INTO tabFonte (IDFonte, TP, articolo, comma, lettera, allegato, ripa, ripc, numero, numeroP, giorno, anno, mese, altro, testo, IDNomeFonte, IDRegione, IDCitta, IDProvincia, IDMinistero, IDAmministrazione, IDAutorita, IDSezione, IDStato, Ordinanza, Decreto) VALUES (93, 'FCC', '1101', '2', '', '', '', '', '', '', '', '1983', '0', '', 'can. 1101 par. 2 C. Iur. Can. 1983', 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0);
INSERT INTO tabFonte (IDFonte, TP, articolo, comma, lettera, allegato, ripa, ripc, numero, numeroP, giorno, anno, mese, altro, testo, IDNomeFonte, IDRegione, IDCitta, IDProvincia, IDMinistero, IDAmministrazione, IDAutorita, IDSezione, IDStato, Ordinanza, Decreto) VALUES (94, 'FCA', '', '', '', '', '', '', '', '', '25', '2005', '1', '', ' Dignitas connubii 25 gennaio 2005', 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0);
INSERT INTO tabFonte (IDFonte, TP, articolo, comma, lettera, allegato, ripa, ripc, numero, numeroP, giorno, anno, mese, altro, testo, IDNomeFonte, IDRegione, IDCitta, IDProvincia, IDMinistero, IDAmministrazione, IDAutorita, IDSezione, IDStato, Ordinanza, Decreto) VALUES (95, 'FCG', '', '', '', '', '', '', '', '', '12', '2015', '2', '', 'Trib. Eccl. Reg. LO 12 febbraio 2015', 4, 9, 0, 0, 0, 0, 0, 0, 0, 0, 0);
INSERT INTO tabFonte (IDFonte, TP, articolo, comma, lettera, allegato, ripa, ripc, numero, numeroP, giorno, anno, mese, altro, testo, IDNomeFonte, IDRegione, IDCitta, IDProvincia, IDMinistero, IDAmministrazione, IDAutorita, IDSezione, IDStato, Ordinanza, Decreto) VALUES (96, 'FCG', '', '', '', '', '', '', '', '', '19', '1995', '12', 'coram Stankiewicz', 'Rota Romana 19 dicembre 1995 (coram Stankiewicz)', 7, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0);
INSERT INTO tabFonte (IDFonte, TP, articolo, comma, lettera, allegato, ripa, ripc, numero, numeroP, giorno, anno, mese, altro, testo, IDNomeFonte, IDRegione, IDCitta, IDProvincia, IDMinistero, IDAmministrazione, IDAutorita, IDSezione, IDStato, Ordinanza, Decreto) VALUES (97, 'LIO', '', '', '', '', '', '', '121', '', '25', '1985', '3', '', 'l. 25 marzo 1985, n. 121', 51, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0);
INSERT INTO tabFonte (IDFonte, TP, articolo, comma, lettera, allegato, ripa, ripc, numero, numeroP, giorno, anno, mese, altro, testo, IDNomeFonte, IDRegione, IDCitta, IDProvincia, IDMinistero, IDAmministrazione, IDAutorita, IDSezione, IDStato, Ordinanza, Decreto) VALUES (98, 'LIC', '8', '', '', '', '', '', '', '', '', '', '0', '', 'art. 8 Cost.', 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0);
INSERT INTO tabFonte (IDFonte, TP, articolo, comma, lettera, allegato, ripa, ripc, numero, numeroP, giorno, anno, mese, altro, testo, IDNomeFonte, IDRegione, IDCitta, IDProvincia, IDMinistero, IDAmministrazione, IDAutorita, IDSezione, IDStato, Ordinanza, Decreto) VALUES (99, 'GICA', '', '', '', '', '', '', '', '', '18', '2008', '7', '', 'Cass. sez. I civ. 18 luglio 2008', 150, 0, 0, 0, 0, 0, 0, 12, 0, 0, 0);
INSERT INTO tabFonte (IDFonte, TP, articolo, comma, lettera, allegato, ripa, ripc, numero, numeroP, giorno, anno, mese, altro, testo, IDNomeFonte, IDRegione, IDCitta, IDProvincia, IDMinistero, IDAmministrazione, IDAutorita, IDSezione, IDStato, Ordinanza, Decreto) VALUES (100, 'FSC', '', '', '', '', '', '', '', '', '', '', '0', '', 'Codice di Hammurabi, par. 196', 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0);
INSERT INTO tabFonte (IDFonte, TP, articolo, comma, lettera, allegato, ripa, ripc, numero, numeroP, giorno, anno, mese, altro, testo, IDNomeFonte, IDRegione, IDCitta, IDProvincia, IDMinistero, IDAmministrazione, IDAutorita, IDSezione, IDStato, Ordinanza, Decreto) VALUES (101, 'LIO', '28', '', '', '', '', '', '300', '', '20', '1970', '5', '', 'art. 28 l. 20 maggio 1970, n. 300', 51, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0);
INSERT INTO tabFonte (IDFonte, TP, articolo, comma, lettera, allegato, ripa, ripc, numero, numeroP, giorno, anno, mese, altro, testo, IDNomeFonte, IDRegione, IDCitta, IDProvincia, IDMinistero, IDAmministrazione, IDAutorita, IDSezione, IDStato, Ordinanza, Decreto) VALUES (102, 'AC', '', '', '', '', '', '', '', '', '14', '2014', '1', 'testo unico sulla rappresentanza', 'accordo interconf. 14 gennaio 2014 (testo unico sulla rappresentanza)', 141, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0);
INSERT INTO tabFonte (IDFonte, TP, articolo, comma, lettera, allegato, ripa, ripc, numero, numeroP, giorno, anno, mese, altro, testo, IDNomeFonte, IDRegione, IDCitta, IDProvincia, IDMinistero, IDAmministrazione, IDAutorita, IDSezione, IDStato, Ordinanza, Decreto) VALUES (103, 'LIR', '40', '', '', '', '', '', '12', '', '11', '2005', '3', '', 'art. 40 l. reg. LO 11 marzo 2005, n. 12', 80, 9, 0, 0, 0, 0, 0, 0, 0, 0, 0);
INSERT INTO tabFonte (IDFonte, TP, articolo, comma, lettera, allegato, ripa, ripc, numero, numeroP, giorno, anno, mese, altro, testo, IDNomeFonte, IDRegione, IDCitta, IDProvincia, IDMinistero, IDAmministrazione, IDAutorita, IDSezione, IDStato, Ordinanza, Decreto) VALUES (104, 'LIP', '', '', '', '', '', '', '9', '', '10', '2018', '7', '', 'l. prov. BZ 10 luglio 2018, n. 9', 70, 0, 0, 1, 0, 0, 0, 0, 0, 0, 0);
INSERT INTO tabFonte (IDFonte, TP, articolo, comma, lettera, allegato, ripa, ripc, numero, numeroP, giorno, anno, mese, altro, testo, IDNomeFonte, IDRegione, IDCitta, IDProvincia, IDMinistero, IDAmministrazione, IDAutorita, IDSezione, IDStato, Ordinanza, Decreto) VALUES (105, 'LIR', '', '', '', '', '', '', '1020', '', '28', '2021', '12', '', 'delib. g.r. LA 28 dicembre 2021, n. 1020', 110, 7, 0, 0, 0, 0, 0, 0, 0, 0, 0);
INSERT INTO tabFonte (IDFonte, TP, articolo, comma, lettera, allegato, ripa, ripc, numero, numeroP, giorno, anno, mese, altro, testo, IDNomeFonte, IDRegione, IDCitta, IDProvincia, IDMinistero, IDAmministrazione, IDAutorita, IDSezione, IDStato, Ordinanza, Decreto) VALUES (106, 'LIP', '', '', '', '', '', '', '4', '', '12', '2016', '1', '', 'reg. com. TN 12 gennaio 2016, n. 4', 117, 0, 0, 2, 0, 0, 0, 0, 0, 0, 0);
INSERT INTO tabFonte (IDFonte, TP, articolo, comma, lettera, allegato, ripa, ripc, numero, numeroP, giorno, anno, mese, altro, testo, IDNomeFonte, IDRegione, IDCitta, IDProvincia, IDMinistero, IDAmministrazione, IDAutorita, IDSezione, IDStato, Ordinanza, Decreto) VALUES (107, 'LIOA', '', '', '', '', '', '', '55', '', '10', '2014', '3', '', 'd.m. Ministero della giustizia 10 marzo 2014, n. 55', 90, 0, 0, 0, 2, 0, 0, 0, 0, 0, 0);
INSERT INTO tabFonte (IDFonte, TP, articolo, comma, lettera, allegato, ripa, ripc, numero, numeroP, giorno, anno, mese, altro, testo, IDNomeFonte, IDRegione, IDCitta, IDProvincia, IDMinistero, IDAmministrazione, IDAutorita, IDSezione, IDStato, Ordinanza, Decreto) VALUES (108, 'GIQ', '', '', '', '', '', '', '5', '', '18', '2022', '1', '', 'Trib. sup. acque pubbl. 18 gennaio 2022, n. 5', 201, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0);
INSERT INTO tabFonte (IDFonte, TP, articolo, comma, lettera, allegato, ripa, ripc, numero, numeroP, giorno, anno, mese, altro, testo, IDNomeFonte, IDRegione, IDCitta, IDProvincia, IDMinistero, IDAmministrazione, IDAutorita, IDSezione, IDStato, Ordinanza, Decreto) VALUES (109, 'GIQ', '', '', '', '', '', '', '11', '', '3', '2020', '2', '', 'Trib. Acque LA - Roma 3 febbraio 2020, n. 11', 200, 7, 1, 0, 0, 0, 0, 0, 0, 0, 0);
INSERT INTO tabFonte (IDFonte, TP, articolo, comma, lettera, allegato, ripa, ripc, numero, numeroP, giorno, anno, mese, altro, testo, IDNomeFonte, IDRegione, IDCitta, IDProvincia, IDMinistero, IDAmministrazione, IDAutorita, IDSezione, IDStato, Ordinanza, Decreto) VALUES (110, 'GIB', '', '', '', '', '', '', '15', '', '7', '2016', '7', '', 'Comm. ricorsi brevetti 7 luglio 2016, n. 15', 202, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0);
INSERT INTO tabFonte (IDFonte, TP, articolo, comma, lettera, allegato, ripa, ripc, numero, numeroP, giorno, anno, mese, altro, testo, IDNomeFonte, IDRegione, IDCitta, IDProvincia, IDMinistero, IDAmministrazione, IDAutorita, IDSezione, IDStato, Ordinanza, Decreto) VALUES (111, 'GIM', '', '', '', '', '', '', '140', '', '20', '2019', '12', '', 'Cons. naz. forense 20 dicembre 2019, n. 140', 204, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0);
INSERT INTO tabFonte (IDFonte, TP, articolo, comma, lettera, allegato, ripa, ripc, numero, numeroP, giorno, anno, mese, altro, testo, IDNomeFonte, IDRegione, IDCitta, IDProvincia, IDMinistero, IDAmministrazione, IDAutorita, IDSezione, IDStato, Ordinanza, Decreto) VALUES (112, 'GICD', '', '', '', '', '', '', '3', '', '10', '2019', '7', '', 'Cons. giurisd. Camera 10 luglio 2019, n. 3', 152, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0);
INSERT INTO tabFonte (IDFonte, TP, articolo, comma, lettera, allegato, ripa, ripc, numero, numeroP, giorno, anno, mese, altro, testo, IDNomeFonte, IDRegione, IDCitta, IDProvincia, IDMinistero, IDAmministrazione, IDAutorita, IDSezione, IDStato, Ordinanza, Decreto) VALUES (113, 'GIAL', '', '', '', '', '', '', '4321', '', '10', '2020', '3', '', 'Arbitro Bancario Finanziario Milano 10 marzo 2020, n. 4321', 211, 0, 2, 0, 0, 0, 0, 0, 0, 0, 0);
INSERT INTO tabFonte (IDFonte, TP, articolo, comma, lettera, allegato, ripa, ripc, numero, numeroP, giorno, anno, mese, altro, testo, IDNomeFonte, IDRegione, IDCitta, IDProvincia, IDMinistero, IDAmministrazione, IDAutorita, IDSezione, IDStato, Ordinanza, Decreto) VALUES (114, 'GIAL', '', '', '', '', '', '', '', '', '12', '2018', '5', 'Alfa s.r.l. c. Comune di Beta', 'Coll. arb. Roma Alfa s.r.l. c. Comune di Beta 12 maggio 2018', 210, 0, 1, 0, 0, 0, 0, 0, 0, 0, 0);
INSERT INTO tabFonte (IDFonte, TP, articolo, comma, lettera, allegato, ripa, ripc, numero, numeroP, giorno, anno, mese, altro, testo, IDNomeFonte, IDRegione, IDCitta, IDProvincia, IDMinistero, IDAmministrazione, IDAutorita, IDSezione, IDStato, Ordinanza, Decreto) VALUES (115, 'LIC', '360', '1', '', '', '', '', '', '3', '', '', '0', '', 'art. 360 comma 1 n. 3 c.p.c.', 12, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0);

INSERT INTO legameDocFonte (ID, IDDoc, IDFonte) VALUES (1, 1, 1);
INSERT INTO legameDocFonte (ID, IDDoc, IDFonte) VALUES (2, 1, 2);
INSERT INTO legameDocFonte (ID, IDDoc, IDFonte) VALUES (3, 1, 3);
INSERT INTO legameDocFonte (ID, IDDoc, IDFonte) VALUES (4, 1, 4);
INSERT INTO legameDocFonte (ID, IDDoc, IDFonte) VALUES (5, 2, 5);
INSERT INTO legameDocFonte (ID, IDDoc, IDFonte) VALUES (6, 2, 6);
INSERT INTO legameDocFonte (ID, IDDoc, IDFonte) VALUES (7, 2, 7);
INSERT INTO legameDocFonte (ID, IDDoc, IDFonte) VALUES (8, 2, 8);
INSERT INTO legameDocFonte (ID, IDDoc, IDFonte) VALUES (9, 3, 9);
INSERT INTO legameDocFonte (ID, IDDoc, IDFonte) VALUES (10, 3, 10);
INSERT INTO legameDocFonte (ID, IDDoc, IDFonte) VALUES (11, 3, 11);
INSERT INTO legameDocFonte (ID, IDDoc, IDFonte) VALUES (12, 4, 12);
INSERT INTO legameDocFonte (ID, IDDoc, IDFonte) VALUES (13, 4, 13);
INSERT INTO legameDocFonte (ID, IDDoc, IDFonte) VALUES (14, 4, 14);
INSERT INTO legameDocFonte (ID, IDDoc, IDFonte) VALUES (15, 4, 15);
INSERT INTO legameDocFonte (ID, IDDoc, IDFonte) VALUES (16, 4, 16);
INSERT INTO legameDocFonte (ID, IDDoc, IDFonte) VALUES (17, 5, 17);
INSERT INTO legameDocFonte (ID, IDDoc, IDFonte) VALUES (18, 5, 18);
INSERT INTO legameDocFonte (ID, IDDoc, IDFonte) VALUES (19, 5, 19);
INSERT INTO legameDocFonte (ID, IDDoc, IDFonte) VALUES (20, 5, 20);
INSERT INTO legameDocFonte (ID, IDDoc, IDFonte) VALUES (21, 6, 21);
INSERT INTO legameDocFonte (ID, IDDoc, IDFonte) VALUES (22, 6, 22);
INSERT INTO legameDocFonte (ID, IDDoc, IDFonte) VALUES (23, 6, 23);
INSERT INTO legameDocFonte (ID, IDDoc, IDFonte) VALUES (24, 6, 24);
INSERT INTO legameDocFonte (ID, IDDoc, IDFonte) VALUES (25, 6, 25);
INSERT INTO legameDocFonte (ID, IDDoc, IDFonte) VALUES (26, 6, 26);
INSERT INTO legameDocFonte (ID, IDDoc, IDFonte) VALUES (27, 6, 27);
INSERT INTO legameDocFonte (ID, IDDoc, IDFonte) VALUES (28, 7, 28);
INSERT INTO legameDocFonte (ID, IDDoc, IDFonte) VALUES (29, 7, 29);
INSERT INTO legameDocFonte (ID, IDDoc, IDFonte) VALUES (30, 8, 30);
INSERT INTO legameDocFonte (ID, IDDoc, IDFonte) VALUES (31, 8, 31);
INSERT INTO legameDocFonte (ID, IDDoc, IDFonte) VALUES (32, 8, 32);
INSERT INTO legameDocFonte (ID, IDDoc, IDFonte) VALUES (33, 9, 33);
INSERT INTO legameDocFonte (ID, IDDoc, IDFonte) VALUES (34, 9, 34);
INSERT INTO legameDocFonte (ID, IDDoc, IDFonte) VALUES (35, 9, 35);
INSERT INTO legameDocFonte (ID, IDDoc, IDFonte) VALUES (36, 10, 36);
INSERT INTO legameDocFonte (ID, IDDoc, IDFonte) VALUES (37, 10, 37);
INSERT INTO legameDocFonte (ID, IDDoc, IDFonte) VALUES (38, 10, 38);
INSERT INTO legameDocFonte (ID, IDDoc, IDFonte) VALUES (39, 11, 39);
INSERT INTO legameDocFonte (ID, IDDoc, IDFonte) VALUES (40, 11, 40);
INSERT INTO legameDocFonte (ID, IDDoc, IDFonte) VALUES (41, 11, 41);
INSERT INTO legameDocFonte (ID, IDDoc, IDFonte) VALUES (42, 11, 42);
INSERT INTO legameDocFonte (ID, IDDoc, IDFonte) VALUES (43, 12, 43);
INSERT INTO legameDocFonte (ID, IDDoc, IDFonte) VALUES (44, 12, 44);
INSERT INTO legameDocFonte (ID, IDDoc, IDFonte) VALUES (45, 12, 45);
INSERT INTO legameDocFonte (ID, IDDoc, IDFonte) VALUES (46, 13, 46);
INSERT INTO legameDocFonte (ID, IDDoc, IDFonte) VALUES (47, 13, 45);
INSERT INTO legameDocFonte (ID, IDDoc, IDFonte) VALUES (48, 14, 47);
INSERT INTO legameDocFonte (ID, IDDoc, IDFonte) VALUES (49, 14, 48);
INSERT INTO legameDocFonte (ID, IDDoc, IDFonte) VALUES (50, 14, 12);
INSERT INTO legameDocFonte (ID, IDDoc, IDFonte) VALUES (51, 15, 49);
INSERT INTO legameDocFonte (ID, IDDoc, IDFonte) VALUES (52, 15, 50);
INSERT INTO legameDocFonte (ID, IDDoc, IDFonte) VALUES (53, 15, 51);
INSERT INTO legameDocFonte (ID, IDDoc, IDFonte) VALUES (54, 15, 52);
INSERT INTO legameDocFonte (ID, IDDoc, IDFonte) VALUES (55, 15, 53);
INSERT INTO legameDocFonte (ID, IDDoc, IDFonte) VALUES (56, 15, 2);
INSERT INTO legameDocFonte (ID, IDDoc, IDFonte) VALUES (57, 16, 54);
INSERT INTO legameDocFonte (ID, IDDoc, IDFonte) VALUES (58, 16, 55);
INSERT INTO legameDocFonte (ID, IDDoc, IDFonte) VALUES (59, 16, 56);
INSERT INTO legameDocFonte (ID, IDDoc, IDFonte) VALUES (60, 17, 57);
INSERT INTO legameDocFonte (ID, IDDoc, IDFonte) VALUES (61, 17, 58);
INSERT INTO legameDocFonte (ID, IDDoc, IDFonte) VALUES (62, 17, 59);
INSERT INTO legameDocFonte (ID, IDDoc, IDFonte) VALUES (63, 17, 60);
INSERT INTO legameDocFonte (ID, IDDoc, IDFonte) VALUES (64, 17, 61);
INSERT INTO legameDocFonte (ID, IDDoc, IDFonte) VALUES (65, 18, 62);
INSERT INTO legameDocFonte (ID, IDDoc, IDFonte) VALUES (66, 18, 63);
INSERT INTO legameDocFonte (ID, IDDoc, IDFonte) VALUES (67, 18, 64);
INSERT INTO legameDocFonte (ID, IDDoc, IDFonte) VALUES (68, 18, 65);
INSERT INTO legameDocFonte (ID, IDDoc, IDFonte) VALUES (69, 18, 66);
INSERT INTO legameDocFonte (ID, IDDoc, IDFonte) VALUES (70, 18, 67);
INSERT INTO legameDocFonte (ID, IDDoc, IDFonte) VALUES (71, 18, 68);
INSERT INTO legameDocFonte (ID, IDDoc, IDFonte) VALUES (72, 18, 69);
INSERT INTO legameDocFonte (ID, IDDoc, IDFonte) VALUES (73, 18, 70);
INSERT INTO legameDocFonte (ID, IDDoc, IDFonte) VALUES (74, 18, 71);
INSERT INTO legameDocFonte (ID, IDDoc, IDFonte) VALUES (75, 18, 72);
INSERT INTO legameDocFonte (ID, IDDoc, IDFonte) VALUES (76, 18, 73);
INSERT INTO legameDocFonte (ID, IDDoc, IDFonte) VALUES (77, 19, 74);
INSERT INTO legameDocFonte (ID, IDDoc, IDFonte) VALUES (78, 19, 75);
INSERT INTO legameDocFonte (ID, IDDoc, IDFonte) VALUES (79, 19, 76);
INSERT INTO legameDocFonte (ID, IDDoc, IDFonte) VALUES (80, 19, 19);
INSERT INTO legameDocFonte (ID, IDDoc, IDFonte) VALUES (81, 19, 77);
INSERT INTO legameDocFonte (ID, IDDoc, IDFonte) VALUES (82, 19, 78);
INSERT INTO legameDocFonte (ID, IDDoc, IDFonte) VALUES (83, 20, 79);
INSERT INTO legameDocFonte (ID, IDDoc, IDFonte) VALUES (84, 20, 80);
INSERT INTO legameDocFonte (ID, IDDoc, IDFonte) VALUES (85, 20, 81);
INSERT INTO legameDocFonte (ID, IDDoc, IDFonte) VALUES (86, 21, 82);
INSERT INTO legameDocFonte (ID, IDDoc, IDFonte) VALUES (87, 21, 83);
INSERT INTO legameDocFonte (ID, IDDoc, IDFonte) VALUES (88, 21, 84);
INSERT INTO legameDocFonte (ID, IDDoc, IDFonte) VALUES (89, 21, 85);
INSERT INTO legameDocFonte (ID, IDDoc, IDFonte) VALUES (90, 21, 42);
INSERT INTO legameDocFonte (ID, IDDoc, IDFonte) VALUES (91, 22, 85);
INSERT INTO legameDocFonte (ID, IDDoc, IDFonte) VALUES (92, 22, 86);
INSERT INTO legameDocFonte (ID, IDDoc, IDFonte) VALUES (93, 22, 87);
INSERT INTO legameDocFonte (ID, IDDoc, IDFonte) VALUES (94, 23, 88);
INSERT INTO legameDocFonte (ID, IDDoc, IDFonte) VALUES (95, 23, 89);
INSERT INTO legameDocFonte (ID, IDDoc, IDFonte) VALUES (96, 23, 90);
INSERT INTO legameDocFonte (ID, IDDoc, IDFonte) VALUES (97, 23, 91);
INSERT INTO legameDocFonte (ID, IDDoc, IDFonte) VALUES (98, 25, 92);
INSERT INTO legameDocFonte (ID, IDDoc, IDFonte) VALUES (99, 25, 93);
INSERT INTO legameDocFonte (ID, IDDoc, IDFonte) VALUES (100, 25, 94);
INSERT INTO legameDocFonte (ID, IDDoc, IDFonte) VALUES (101, 25, 95);
INSERT INTO legameDocFonte (ID, IDDoc, IDFonte) VALUES (102, 25, 96);
INSERT INTO legameDocFonte (ID, IDDoc, IDFonte) VALUES (103, 26, 97);
INSERT INTO legameDocFonte (ID, IDDoc, IDFonte) VALUES (104, 26, 98);
INSERT INTO legameDocFonte (ID, IDDoc, IDFonte) VALUES (105, 26, 99);
INSERT INTO legameDocFonte (ID, IDDoc, IDFonte) VALUES (106, 27, 100);
INSERT INTO legameDocFonte (ID, IDDoc, IDFonte) VALUES (107, 28, 101);
INSERT INTO legameDocFonte (ID, IDDoc, IDFonte) VALUES (108, 28, 102);
INSERT INTO legameDocFonte (ID, IDDoc, IDFonte) VALUES (109, 29, 103);
INSERT INTO legameDocFonte (ID, IDDoc, IDFonte) VALUES (110, 29, 104);
INSERT INTO legameDocFonte (ID, IDDoc, IDFonte) VALUES (111, 29, 105);
INSERT INTO legameDocFonte (ID, IDDoc, IDFonte) VALUES (112, 29, 106);
INSERT INTO legameDocFonte (ID, IDDoc, IDFonte) VALUES (113, 29, 107);
INSERT INTO legameDocFonte (ID, IDDoc, IDFonte) VALUES (114, 30, 108);
INSERT INTO legameDocFonte (ID, IDDoc, IDFonte) VALUES (115, 30, 109);
INSERT INTO legameDocFonte (ID, IDDoc, IDFonte) VALUES (116, 30, 110);
INSERT INTO legameDocFonte (ID, IDDoc, IDFonte) VALUES (117, 30, 111);
INSERT INTO legameDocFonte (ID, IDDoc, IDFonte) VALUES (118, 30, 112);
INSERT INTO legameDocFonte (ID, IDDoc, IDFonte) VALUES (119, 30, 113);
INSERT INTO legameDocFonte (ID, IDDoc, IDFonte) VALUES (120, 30, 114);
INSERT INTO legameDocFonte (ID, IDDoc, IDFonte) VALUES (121, 30, 90);
INSERT INTO legameDocFonte (ID, IDDoc, IDFonte) VALUES (122, 30, 115);

COMMIT;
