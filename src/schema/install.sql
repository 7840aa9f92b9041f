-- Base tables of a new installation. Column orders matter: rows are copied with "select *".
CREATE TABLE vse (
  id int(11) NOT NULL AUTO_INCREMENT,
  CISLO varchar(8) NOT NULL DEFAULT '',
  TYP char(1) NOT NULL DEFAULT '',
  ICO varchar(8) NOT NULL DEFAULT '',
  DODAVATEL varchar(30) NOT NULL DEFAULT '',
  ORGJD varchar(50) NOT NULL DEFAULT '',
  CISLDOKL varchar(10) NOT NULL DEFAULT '',
  PROVOZOVNA varchar(30) NOT NULL DEFAULT '',
  DATUM datetime DEFAULT NULL,
  CISLPOLOZ varchar(10) NOT NULL DEFAULT '',
  JKPOV varchar(13) NOT NULL DEFAULT '',
  TEXT varchar(50) NOT NULL DEFAULT '',
  MNOZSTVI decimal(15,4) NOT NULL DEFAULT 0.0000,
  NAKUPCENA decimal(15,4) NOT NULL DEFAULT 0.0000,
  CELKEM decimal(15,2) NOT NULL DEFAULT 0.00,
  PREVZAL varchar(20) NOT NULL DEFAULT '',
  ROZUCTOVAL varchar(20) NOT NULL DEFAULT '',
  POPIS varchar(600) NOT NULL DEFAULT '',
  MJ varchar(10) NOT NULL DEFAULT '',
  NORMA char(1) NOT NULL DEFAULT '',
  SKUPINA int(11) NOT NULL DEFAULT 0,
  INDEXSKUP int(11) NOT NULL DEFAULT 0,
  POPIS2 varchar(254) NOT NULL DEFAULT '',
  POPIS3 varchar(254) NOT NULL DEFAULT '',
  oznac char(1) NOT NULL DEFAULT '',
  PRIMARY KEY (id),
  KEY vse_doklad (CISLO, TYP)
) ENGINE=InnoDB DEFAULT CHARSET=utf8 COLLATE=utf8_unicode_ci;

CREATE TABLE sklkarta (
  id int(11) NOT NULL AUTO_INCREMENT,
  cislokarty varchar(8) NOT NULL DEFAULT '',
  jkpov varchar(13) NOT NULL DEFAULT '',
  nazev varchar(50) NOT NULL DEFAULT '',
  jedn varchar(10) NOT NULL DEFAULT '',
  druh varchar(3) NOT NULL DEFAULT '',
  stredisko varchar(30) NOT NULL DEFAULT '',
  mcena decimal(15,4) NOT NULL DEFAULT 0.0000,
  mnoz decimal(15,4) NOT NULL DEFAULT 0.0000,
  PRIMARY KEY (id)
) ENGINE=InnoDB DEFAULT CHARSET=utf8 COLLATE=utf8_unicode_ci;

CREATE TABLE cenik (
  id int(11) NOT NULL AUTO_INCREMENT,
  jkpov varchar(6) NOT NULL DEFAULT '',
  nazev varchar(50) NOT NULL DEFAULT '',
  mj varchar(10) NOT NULL DEFAULT '',
  kos_skup int(2) NOT NULL DEFAULT 0,
  kos_koef decimal(6,3) NOT NULL DEFAULT 0.000,
  alergen int(11) NOT NULL DEFAULT 0,
  alergen2 int(11) NOT NULL DEFAULT 0,
  alergen3 int(11) NOT NULL DEFAULT 0,
  alergen4 int(11) NOT NULL DEFAULT 0,
  alergen5 int(11) NOT NULL DEFAULT 0,
  alergen6 int(11) NOT NULL DEFAULT 0,
  alergen7 int(11) NOT NULL DEFAULT 0,
  alergen8 int(11) NOT NULL DEFAULT 0,
  KOS_SKUP2 int(2) NOT NULL DEFAULT 0,
  KOS_KOEF2 decimal(6,3) NOT NULL DEFAULT 0.000,
  KOS_SKUP3 int(2) NOT NULL DEFAULT 0,
  KOS_KOEF3 decimal(6,3) NOT NULL DEFAULT 0.000,
  KOS_SKUP4 int(2) NOT NULL DEFAULT 0,
  KOS_KOEF4 decimal(6,3) NOT NULL DEFAULT 0.000,
  PRIMARY KEY (id)
) ENGINE=InnoDB DEFAULT CHARSET=utf8 COLLATE=utf8_unicode_ci;

CREATE TABLE alergeny (
  alergen int(11) NOT NULL,
  popis varchar(200) NOT NULL DEFAULT '',
  PRIMARY KEY (alergen)
) ENGINE=InnoDB DEFAULT CHARSET=utf8 COLLATE=utf8_unicode_ci;

CREATE TABLE adresar (
  id int(11) NOT NULL AUTO_INCREMENT,
  NAZEVPODNI varchar(50) NOT NULL DEFAULT '',
  SIDLO varchar(50) NOT NULL DEFAULT '',
  ulicecislo varchar(50) NOT NULL DEFAULT '',
  ICO varchar(10) NOT NULL DEFAULT '',
  PSC varchar(6) NOT NULL DEFAULT '',
  MISTO varchar(30) NOT NULL DEFAULT '',
  PRIMARY KEY (id)
) ENGINE=InnoDB DEFAULT CHARSET=utf8 COLLATE=utf8_unicode_ci;

CREATE TABLE norma (
  id int(11) NOT NULL AUTO_INCREMENT,
  JKPOV varchar(13) NOT NULL DEFAULT '',
  TYPJID varchar(50) NOT NULL DEFAULT '',
  DATUM datetime DEFAULT NULL,
  TEXT varchar(50) NOT NULL DEFAULT '',
  POPIS varchar(254) NOT NULL DEFAULT '',
  MNOZSTVI decimal(15,4) NOT NULL DEFAULT 0.0000,
  MJ varchar(10) NOT NULL DEFAULT '',
  CELKEM decimal(15,4) NOT NULL DEFAULT 0.0000,
  POCET int(11) NOT NULL DEFAULT 0,
  CNORMY varchar(10) NOT NULL DEFAULT '',
  PRIMARY KEY (id)
) ENGINE=InnoDB DEFAULT CHARSET=utf8 COLLATE=utf8_unicode_ci;

CREATE TABLE pracnorm LIKE norma;

CREATE TABLE pracn (
  id int(11) NOT NULL AUTO_INCREMENT,
  JKPOV varchar(13) NOT NULL DEFAULT '',
  TYPJID varchar(50) NOT NULL DEFAULT '',
  POPIS varchar(254) NOT NULL DEFAULT '',
  POCET int(11) NOT NULL DEFAULT 0,
  TEXT varchar(50) NOT NULL DEFAULT '',
  MNOZSTVI decimal(15,4) NOT NULL DEFAULT 0.0000,
  MJ varchar(10) NOT NULL DEFAULT '',
  CELKEM decimal(15,4) NOT NULL DEFAULT 0.0000,
  DATUM datetime DEFAULT NULL,
  skupina int(11) NOT NULL DEFAULT 0,
  indexskup int(11) NOT NULL DEFAULT 0,
  ident int(11) NOT NULL DEFAULT 0,
  oznac char(1) NOT NULL DEFAULT '',
  PRIMARY KEY (id)
) ENGINE=InnoDB DEFAULT CHARSET=utf8 COLLATE=utf8_unicode_ci;

CREATE TABLE prackal (
  id int(11) NOT NULL AUTO_INCREMENT,
  JKPOV varchar(13) NOT NULL DEFAULT '',
  TYPJID varchar(50) NOT NULL DEFAULT '',
  DATUM datetime DEFAULT NULL,
  TEXT varchar(50) NOT NULL DEFAULT '',
  POPIS varchar(254) NOT NULL DEFAULT '',
  MNOZSTVI decimal(15,4) NOT NULL DEFAULT 0.0000,
  MJ varchar(10) NOT NULL DEFAULT '',
  CELKEM decimal(15,4) NOT NULL DEFAULT 0.0000,
  POCET int(11) NOT NULL DEFAULT 0,
  skupina int(11) NOT NULL DEFAULT 0,
  indexskup int(11) NOT NULL DEFAULT 0,
  ident int(11) NOT NULL DEFAULT 0,
  oznac char(1) NOT NULL DEFAULT '',
  PRIMARY KEY (id)
) ENGINE=InnoDB DEFAULT CHARSET=utf8 COLLATE=utf8_unicode_ci;

CREATE TABLE normvyd (
  id int(11) NOT NULL AUTO_INCREMENT,
  jkpov varchar(13) NOT NULL DEFAULT '',
  datum datetime DEFAULT NULL,
  text varchar(50) NOT NULL DEFAULT '',
  mj varchar(10) NOT NULL DEFAULT '',
  mnozstvi decimal(15,4) NOT NULL DEFAULT 0.0000,
  identv int(11) NOT NULL DEFAULT 0,
  ucelkem decimal(15,4) NOT NULL DEFAULT 0.0000,
  s0 decimal(15,4) NOT NULL DEFAULT 0.0000,
  s1 decimal(15,4) NOT NULL DEFAULT 0.0000,
  s2 decimal(15,4) NOT NULL DEFAULT 0.0000,
  s3 decimal(15,4) NOT NULL DEFAULT 0.0000,
  s4 decimal(15,4) NOT NULL DEFAULT 0.0000,
  s5 decimal(15,4) NOT NULL DEFAULT 0.0000,
  s6 decimal(20,4) NOT NULL DEFAULT 0.0000,
  s7 decimal(20,4) NOT NULL DEFAULT 0.0000,
  s8 decimal(8,4) NOT NULL DEFAULT 0.0000,
  s9 decimal(8,4) NOT NULL DEFAULT 0.0000,
  s10 decimal(8,4) NOT NULL DEFAULT 0.0000,
  sc decimal(15,4) NOT NULL DEFAULT 0.0000,
  popis varchar(254) NOT NULL DEFAULT '',
  popis2 varchar(254) NOT NULL DEFAULT '',
  popis3 varchar(254) NOT NULL DEFAULT '',
  oznac char(1) NOT NULL DEFAULT '',
  PRIMARY KEY (id)
) ENGINE=InnoDB DEFAULT CHARSET=utf8 COLLATE=utf8_unicode_ci;

CREATE TABLE prackalv (
  id int(11) NOT NULL AUTO_INCREMENT,
  jkpov varchar(13) NOT NULL DEFAULT '',
  datum datetime DEFAULT NULL,
  text varchar(50) NOT NULL DEFAULT '',
  mj varchar(10) NOT NULL DEFAULT '',
  mnozstvi decimal(15,4) NOT NULL DEFAULT 0.0000,
  identv int(11) NOT NULL DEFAULT 0,
  ucelkem decimal(15,4) NOT NULL DEFAULT 0.0000,
  s0 decimal(15,4) NOT NULL DEFAULT 0.0000,
  s1 decimal(15,4) NOT NULL DEFAULT 0.0000,
  s2 decimal(15,4) NOT NULL DEFAULT 0.0000,
  s3 decimal(15,4) NOT NULL DEFAULT 0.0000,
  s4 decimal(15,4) NOT NULL DEFAULT 0.0000,
  s5 decimal(15,4) NOT NULL DEFAULT 0.0000,
  s6 decimal(8,4) NOT NULL DEFAULT 0.0000,
  s7 decimal(8,4) NOT NULL DEFAULT 0.0000,
  s8 decimal(8,4) NOT NULL DEFAULT 0.0000,
  s9 decimal(8,4) NOT NULL DEFAULT 0.0000,
  s10 decimal(8,4) NOT NULL DEFAULT 0.0000,
  sc decimal(15,4) NOT NULL DEFAULT 0.0000,
  popis varchar(254) NOT NULL DEFAULT '',
  popis2 varchar(254) NOT NULL DEFAULT '',
  popis3 varchar(254) NOT NULL DEFAULT '',
  oznac char(1) NOT NULL DEFAULT '',
  PRIMARY KEY (id)
) ENGINE=InnoDB DEFAULT CHARSET=utf8 COLLATE=utf8_unicode_ci;

CREATE TABLE jidelnicek (
  id int(11) NOT NULL AUTO_INCREMENT,
  datum date DEFAULT NULL,
  poradi int(11) NOT NULL DEFAULT 0,
  typ varchar(50) NOT NULL DEFAULT '',
  jidlo text,
  alergeny varchar(254) NOT NULL DEFAULT '',
  oznac char(1) NOT NULL DEFAULT '',
  PRIMARY KEY (id)
) ENGINE=InnoDB DEFAULT CHARSET=utf8 COLLATE=utf8_unicode_ci;

CREATE TABLE ident (
  id int(11) NOT NULL AUTO_INCREMENT,
  ico varchar(10) NOT NULL DEFAULT '',
  obedar_databaze varchar(64) DEFAULT NULL,
  obedar_user varchar(64) DEFAULT NULL,
  obedar_pass varchar(64) DEFAULT NULL,
  oznac char(1) NOT NULL DEFAULT '',
  PRIMARY KEY (id)
) ENGINE=InnoDB DEFAULT CHARSET=utf8 COLLATE=utf8_unicode_ci;

-- Kept from older versions; only its marker column is maintained.
CREATE TABLE prac (
  id int(11) NOT NULL AUTO_INCREMENT,
  oznac char(1) NOT NULL DEFAULT '',
  PRIMARY KEY (id)
) ENGINE=InnoDB DEFAULT CHARSET=utf8 COLLATE=utf8_unicode_ci;

INSERT INTO alergeny (alergen, popis) VALUES
  (0, 'bez alergenů'),
  (1, 'obiloviny obsahující lepek'),
  (2, 'korýši a výrobky z nich'),
  (3, 'vejce a výrobky z nich'),
  (4, 'ryby a výrobky z nich'),
  (5, 'podzemnice olejná (arašídy) a výrobky z nich'),
  (6, 'sójové boby (sója) a výrobky z nich'),
  (7, 'mléko a výrobky z něj (včetně laktózy)'),
  (8, 'skořápkové plody (ořechy) a výrobky z nich'),
  (9, 'celer a výrobky z něj'),
  (10, 'hořčice a výrobky z ní'),
  (11, 'sezamová semena a výrobky z nich'),
  (12, 'oxid siřičitý a siřičitany (nad 10 mg/kg nebo 10 mg/l)'),
  (13, 'vlčí bob (lupina) a výrobky z něj'),
  (14, 'měkkýši a výrobky z nich');

INSERT INTO ident (ico, obedar_databaze, obedar_user, obedar_pass, oznac) VALUES ('', NULL, NULL, NULL, '');

-- The indexes the data maintenance would create; a new installation has them from the start, so
-- that moving through the price list does not scan the movements.
CREATE INDEX jkpovs ON sklkarta (jkpov);
CREATE INDEX cislokarty ON sklkarta (cislokarty);
CREATE INDEX jkpovc ON cenik (jkpov);
CREATE INDEX cislpoloz ON vse (cislpoloz);
