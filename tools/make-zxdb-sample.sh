#!/bin/sh
# Makes tests/import/data/zxdb_sample.sql and its zipped copy
# zxdb_sample.sql.zip: a small database with the tables
# and columns of the Spectrum reference database (ZXDB), made in a real
# MariaDB server and written by the real mariadb-dump. The server runs on a
# private socket in a temporary directory and is stopped after. Needs the
# Debian packages mariadb-server, mariadb-client and zip (only to remake the files:
# the tests read the committed copy).
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
out=$root/tests/import/data/zxdb_sample.sql
work=$(mktemp -d)
sock=$work/sock
cleanup() {
    [ -f "$work/pid" ] && kill "$(cat "$work/pid")" 2>/dev/null && sleep 1
    rm -rf "$work"
}
trap cleanup EXIT INT TERM

mariadb-install-db --no-defaults --datadir="$work/data" --auth-root-authentication-method=normal \
    --skip-test-db >"$work/install.log" 2>&1
mariadbd --no-defaults --datadir="$work/data" --socket="$sock" --skip-networking \
    --pid-file="$work/pid" --user="$(id -un)" >"$work/server.log" 2>&1 &
for _ in $(seq 50); do
    [ -S "$sock" ] && break
    sleep 0.2
done
sql() { mariadb --no-defaults --socket="$sock" -uroot "$@"; }

sql <<'SQL'
CREATE DATABASE zxdb CHARACTER SET utf8mb4;
USE zxdb;
CREATE TABLE genretypes (id tinyint(4) NOT NULL, text varchar(50) NOT NULL, PRIMARY KEY (id));
CREATE TABLE machinetypes (id tinyint(4) NOT NULL, text varchar(50) NOT NULL, PRIMARY KEY (id));
CREATE TABLE filetypes (id tinyint(4) NOT NULL, text varchar(50) NOT NULL, PRIMARY KEY (id));
CREATE TABLE entries (
  id int(11) NOT NULL, title varchar(250) NOT NULL, library_title varchar(250) DEFAULT NULL,
  is_xrated tinyint(1) NOT NULL DEFAULT 0, machinetype_id tinyint(4) DEFAULT NULL,
  max_players tinyint(4) NOT NULL DEFAULT 1, genretype_id tinyint(4) DEFAULT NULL,
  PRIMARY KEY (id),
  CONSTRAINT fk_entry_genretype FOREIGN KEY (genretype_id) REFERENCES genretypes (id),
  CONSTRAINT fk_entry_machinetype FOREIGN KEY (machinetype_id) REFERENCES machinetypes (id));
CREATE TABLE aliases (entry_id int(11) NOT NULL, release_seq smallint(6) NOT NULL DEFAULT 0,
  language_id char(2) NOT NULL DEFAULT 'en', title varchar(250) NOT NULL,
  PRIMARY KEY (entry_id, release_seq, language_id, title));
CREATE TABLE releases (entry_id int(11) NOT NULL, release_seq smallint(6) NOT NULL,
  release_year smallint(6) DEFAULT NULL, release_month tinyint(4) DEFAULT NULL,
  PRIMARY KEY (entry_id, release_seq));
CREATE TABLE labels (id int(11) NOT NULL, name varchar(100) NOT NULL, country_id char(2) DEFAULT NULL,
  PRIMARY KEY (id));
CREATE TABLE publishers (entry_id int(11) NOT NULL, release_seq smallint(6) NOT NULL,
  label_id int(11) NOT NULL, publisher_seq tinyint(4) NOT NULL DEFAULT 1,
  PRIMARY KEY (entry_id, release_seq, label_id));
CREATE TABLE authors (entry_id int(11) NOT NULL, label_id int(11) NOT NULL,
  team_id int(11) DEFAULT NULL, author_seq tinyint(4) NOT NULL DEFAULT 1,
  PRIMARY KEY (entry_id, label_id));
CREATE TABLE downloads (id int(11) NOT NULL, file_link varchar(250) NOT NULL,
  file_size int(11) DEFAULT NULL, filetype_id tinyint(4) NOT NULL, entry_id int(11) DEFAULT NULL,
  PRIMARY KEY (id));
-- Tables the reader has no use for.
CREATE TABLE magazines (id int(11) NOT NULL, name varchar(100) NOT NULL, notes text, PRIMARY KEY (id));
CREATE TABLE webrefs (entry_id int(11) NOT NULL, website_id tinyint(4) NOT NULL,
  link varchar(200) DEFAULT NULL, PRIMARY KEY (entry_id, website_id));

INSERT INTO genretypes VALUES (1,'Adventure: Text'),(2,'Adventure: Graphic'),(3,'Adventure: RPG'),
  (4,'Adventure: Dungeon Crawl'),(5,'Arcade: Action'),(6,'Arcade: Adventure'),
  (7,'Arcade: Gang beat-em-up'),(8,'Arcade: Solo beat-em-up'),(9,'Arcade: Platform'),
  (10,'Arcade: Maze'),(11,'Arcade: Pinball'),(12,'Arcade: Race \'n\' Chase'),(13,'Arcade: Vehicle'),
  (14,'Arcade: Shoot-em-up'),(15,'Board Game'),(16,'Card Game'),(17,'Gambling: Games'),(18,'Puzzle'),
  (19,'Quiz'),(20,'Simulation'),(21,'Sport: Action'),(22,'Sport: Management'),
  (23,'Strategy: Management'),(24,'Strategy: War'),(25,'Tactical Combat'),
  (27,'Utility: Programming'),(28,'Utility: Graphics'),(30,'Compilation'),(31,'Book: Programming'),
  (32,'Hardware: Interface'),(40,'Demoscene');
INSERT INTO machinetypes VALUES (1,'ZX-Spectrum 16K'),(3,'ZX-Spectrum 48K'),(5,'ZX-Spectrum 48K/128K'),
  (8,'ZX-Spectrum 128K'),(11,'ZX-Spectrum +3');
INSERT INTO filetypes VALUES (8,'Tape image'),(10,'Snapshot image'),(11,'Disk image'),
  (22,'Loading screen'),(31,'Instructions'),(46,'Computer/ZX Interface 2 cartridge ROM Image dump');
INSERT INTO entries VALUES
  (3012,'Manic Miner',NULL,0,3,1,9),
  (2589,'Jet Set Willy',NULL,0,3,1,9),
  (4129,'Rambo III',NULL,0,8,1,14),
  (2246,'Hobbit, The','Hobbit',0,3,1,1),
  (9001,'It''s a "Quote" \\ Test',NULL,0,3,2,NULL),
  (9002,'Café Über Straße',NULL,0,NULL,1,40),
  (9003,'Tools 128',NULL,0,8,1,27),
  (9010,'Tetris',NULL,0,3,1,18),
  (9011,'Tetris',NULL,0,5,1,18),
  (9012,'Football Manager',NULL,0,1,1,22),
  (9013,'Football Manager',NULL,0,3,1,22),
  (9014,'Łódź Express',NULL,0,3,1,13),
  (9015,'Čapek''s Robots',NULL,0,8,1,23),
  (9016,'Knight''s Quest',NULL,0,3,1,4),
  (9017,'Dragon Runes',NULL,0,11,1,3),
  (9018,'Haunted Manor',NULL,0,3,1,2),
  (9019,'Blaster Bob',NULL,0,3,2,5),
  (9020,'Crystal Caverns',NULL,0,3,1,6),
  (9021,'Street Brawlers',NULL,0,8,2,7),
  (9022,'Kung-Fu Master Chen',NULL,0,3,1,8),
  (9023,'Maze Muncher',NULL,0,1,1,10),
  (9024,'Silver Ball',NULL,0,3,4,11),
  (9025,'Cops ''n'' Robbers',NULL,0,3,1,12),
  (9026,'Grandmaster Chess',NULL,0,3,2,15),
  (9027,'Poker Night',NULL,0,3,4,16),
  (9028,'Fruit Machine Fever',NULL,0,3,1,17),
  (9029,'Brain Teaser Quiz',NULL,0,3,4,19),
  (9030,'Flight Deck 747',NULL,0,8,1,20),
  (9031,'Tennis Ace',NULL,0,3,2,21),
  (9032,'Empire at War',NULL,0,8,2,24),
  (9033,'Squad Tactics',NULL,0,3,1,25),
  (9034,'Ultima Ratio II: The Return',NULL,0,8,1,1),
  (9040,'Best of 1986',NULL,0,3,1,30),
  (9041,'Mastering Machine Code',NULL,0,NULL,1,31),
  (9042,'Joystick Interface Test',NULL,0,3,1,32),
  (9043,'Paint Studio',NULL,0,8,1,28);
INSERT INTO aliases VALUES (3012,0,'en','Manic Miner 2000'),(2246,0,'es','El Hobbit'),
  (9016,0,'es','La Búsqueda del Caballero'),(9016,0,'pt','La Búsqueda del Caballero'),
  (9016,0,'de','Die Ritterqueste'),(9016,0,'pl','Wyprawa Rycerza'),(9016,1,'en','Knight''s Quest'),
  (9015,0,'cs','Čapkovi roboti'),(9011,0,'ru','Тетрис'),(9034,0,'en','Ultima Ratio 2');
INSERT INTO releases VALUES (3012,0,1983,NULL),(3012,1,1984,6),(2589,0,1984,NULL),(4129,0,1988,12),
  (2246,0,1982,NULL),(9001,0,NULL,NULL),(9010,0,1988,NULL),(9011,0,1989,3),(9011,1,1990,NULL),
  (9012,0,1982,NULL),(9013,0,1990,NULL),(9014,0,1987,NULL),(9015,0,1989,NULL),(9016,0,1986,NULL),
  (9016,1,1987,NULL),(9017,0,NULL,NULL),(9017,1,1991,NULL),(9019,0,1985,NULL),(9020,0,1986,NULL),
  (9034,0,1989,NULL),(9040,0,1986,12);
INSERT INTO labels VALUES (1,'Bug-Byte Software Ltd','GB'),(2,'Software Projects Ltd','GB'),
  (3,'Ocean Software Ltd','GB'),(4,'Melbourne House','AU'),(5,'Matthew Smith',NULL),
  (6,'Philip Mitchell',NULL),(7,'Veronica Megson',NULL),(8,'Seán O''Brien',NULL),
  (20,'Mirrorsoft Ltd','GB'),(21,'Zafiro Software','ES'),(22,'Addictive Games Ltd','GB'),
  (23,'Prism Leisure Corporation','GB'),(24,'Żyrafa Soft','PL'),(25,'Proxima – Software','CZ'),
  (26,'Zeppelin Games Ltd','GB'),(30,'Alexey Pajitnov','RU'),(31,'Kevin Toms','GB'),
  (32,'Paweł Wąs','PL'),(33,'Zoë Ørsted','DK'),(34,'Karel Čapek Jr.','CZ'),
  (40,'The Cavern Crew',NULL),(41,'Dan "Dig" Digby',NULL),(42,'Ann Lee',NULL);
-- Release 0 of 9001 has two publishers, the one of the lower label second;
-- 9019 names a label the table lacks.
INSERT INTO publishers VALUES (3012,0,1,1),(3012,1,2,1),(2589,0,2,1),(4129,0,3,1),(2246,0,4,1),
  (9001,0,1,2),(9001,0,3,1),(9010,0,20,1),(9011,0,21,1),(9011,1,23,1),(9012,0,22,1),(9013,0,23,1),
  (9014,0,24,1),(9015,0,25,1),(9016,0,26,2),(9016,0,3,1),(9016,1,21,1),(9019,0,999,2),
  (9019,0,26,1),(9020,0,26,1);
-- The Cavern Crew's members name their team.
INSERT INTO authors VALUES (3012,5,NULL,1),(2589,5,NULL,1),(2246,7,NULL,2),(2246,6,NULL,1),
  (9001,8,NULL,1),(9010,30,NULL,1),(9012,31,NULL,1),(9014,33,NULL,2),(9014,32,NULL,1),
  (9015,34,NULL,1),(9020,41,40,2),(9020,42,40,1),(9020,40,NULL,3);
INSERT INTO downloads VALUES
  (1,'/pub/sinclair/games/m/ManicMiner.tzx.zip',11442,8,3012),
  (2,'/pub/sinclair/games/j/JetSetWilly.tap.zip',NULL,8,2589),
  (3,'/zxdb/sinclair/entries/0004129/RamboIII.z80.zip',40123,10,4129),
  (4,'/pub/sinclair/games/m/ManicMiner.tap.zip',9800,8,3012),
  (5,'/pub/sinclair/screens/load/m/scr/ManicMiner.scr',6912,22,3012),
  (6,'/zxdb/sinclair/entries/0003012/ManicMiner.tzx.zip',11442,8,3012),
  (7,'/pub/sinclair/games-info/m/ManicMiner.txt',2048,31,3012),
  (8,'/pub/sinclair/games/t/Tetris.tzx.zip',NULL,8,9010),
  (9,'/pub/sinclair/games/t/Tetris(Zafiro).tzx.zip',NULL,8,9011),
  (10,'/pub/sinclair/games/f/FootballManager.tzx.zip',NULL,8,9012),
  (11,'/pub/sinclair/games/f/FootballManager(Prism).tap.zip',NULL,8,9013),
  (12,'/pub/sinclair/games/l/ŁódźExpress.dsk.zip',NULL,11,9014),
  (13,'/pub/sinclair/games/c/CapeksRobots.z80.zip',NULL,10,9015),
  (14,'/pub/sinclair/games/o/Orphan.tap.zip',NULL,8,NULL),
  (15,'KnightsQuest.tzx',NULL,8,9016),
  (16,'/pub/sinclair/games/k/KnightsQuest.rom',16384,46,9016),
  (17,'/pub/sinclair/games/k/KnightsQuest(es).tzx.zip',NULL,8,9016);
INSERT INTO magazines VALUES (1,'Crash','Issue 1; the \'first\' one'),(2,'Your Sinclair',NULL);
INSERT INTO webrefs VALUES (3012,1,'https://example.org/manic-miner?a=1&b=(2)'),(9016,2,NULL);
SQL

# The first line names the release, where Tolm looks for a script's release; no dump date,
# so the file only changes when the data does.
{
    echo "-- ZXDB sample for Tolm's tests, release 1.0.0 (2026-12-01)"
    mariadb-dump --no-defaults --socket="$sock" -uroot --skip-dump-date zxdb
} >"$out"
echo "wrote $out ($(wc -c <"$out") bytes)"

# The same script zipped as ZXDB is distributed, with a fixed time stamp.
cp "$out" "$work/ZXDB_mysql.sql"
touch -t 202612010000 "$work/ZXDB_mysql.sql"
rm -f "$out.zip"
(cd "$work" && TZ=UTC zip -X -q -9 "$out.zip" ZXDB_mysql.sql)
echo "wrote $out.zip ($(wc -c <"$out.zip") bytes)"
