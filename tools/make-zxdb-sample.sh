#!/bin/sh
# Makes tests/import/data/zxdb_sample.sql: a small database with the tables
# and columns of the Spectrum reference database (ZXDB), made in a real
# MariaDB server and written by the real mariadb-dump. The server runs on a
# private socket in a temporary directory and is stopped after. Needs the
# Debian packages mariadb-server and mariadb-client (only to remake the file:
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
-- A table the reader has no use for.
CREATE TABLE magazines (id int(11) NOT NULL, name varchar(100) NOT NULL, notes text, PRIMARY KEY (id));

INSERT INTO genretypes VALUES (1,'Adventure: Text'),(9,'Arcade: Platform'),(14,'Arcade: Shoot-em-up'),
  (27,'Utility: Programming'),(40,'Demoscene');
INSERT INTO machinetypes VALUES (1,'ZX-Spectrum 16K'),(3,'ZX-Spectrum 48K'),(8,'ZX-Spectrum 128K');
INSERT INTO filetypes VALUES (8,'Tape image'),(10,'Snapshot image');
INSERT INTO entries VALUES
  (3012,'Manic Miner',NULL,0,3,1,9),
  (2589,'Jet Set Willy',NULL,0,3,1,9),
  (4129,'Rambo III',NULL,0,8,1,14),
  (2246,'Hobbit, The','Hobbit',0,3,1,1),
  (9001,'It''s a "Quote" \\ Test',NULL,0,3,2,NULL),
  (9002,'Café Über Straße',NULL,0,NULL,1,40),
  (9003,'Tools 128',NULL,0,8,1,27);
INSERT INTO aliases VALUES (3012,0,'en','Manic Miner 2000'),(2246,0,'es','El Hobbit');
INSERT INTO releases VALUES (3012,0,1983,NULL),(3012,1,1984,6),(2589,0,1984,NULL),(4129,0,1988,12),
  (2246,0,1982,NULL),(9001,0,NULL,NULL);
INSERT INTO labels VALUES (1,'Bug-Byte Software Ltd','GB'),(2,'Software Projects Ltd','GB'),
  (3,'Ocean Software Ltd','GB'),(4,'Melbourne House','AU'),(5,'Smith, Matthew',NULL),
  (6,'Mitchell, Philip',NULL),(7,'Megson, Veronica',NULL),(8,'O''Brien, Seán',NULL);
INSERT INTO publishers VALUES (3012,0,1,1),(3012,1,2,1),(2589,0,2,1),(4129,0,3,1),(2246,0,4,1),
  (9001,0,3,2),(9001,0,1,1);
INSERT INTO authors VALUES (3012,5,NULL,1),(2589,5,NULL,1),(2246,7,NULL,2),(2246,6,NULL,1),
  (9001,8,NULL,1);
INSERT INTO downloads VALUES
  (1,'/pub/sinclair/games/m/ManicMiner.tzx.zip',11442,8,3012),
  (2,'/pub/sinclair/games/j/JetSetWilly.tap.zip',NULL,8,2589),
  (3,'/zxdb/sinclair/entries/0004129/RamboIII.z80.zip',40123,10,4129);
INSERT INTO magazines VALUES (1,'Crash','Issue 1; the \'first\' one'),(2,'Your Sinclair',NULL);
SQL

mariadb-dump --no-defaults --socket="$sock" -uroot --skip-dump-date zxdb >"$out"
echo "wrote $out ($(wc -c <"$out") bytes)"
