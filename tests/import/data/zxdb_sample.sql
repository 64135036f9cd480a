-- ZXDB sample for Tolm's tests, release 1.0.0 (2026-12-01)
/*M!999999\- enable the sandbox mode */ 
-- MariaDB dump 10.19  Distrib 10.11.19-MariaDB, for debian-linux-gnu (x86_64)
--
-- Host: localhost    Database: zxdb
-- ------------------------------------------------------
-- Server version	10.11.19-MariaDB-0+deb12u1

/*!40101 SET @OLD_CHARACTER_SET_CLIENT=@@CHARACTER_SET_CLIENT */;
/*!40101 SET @OLD_CHARACTER_SET_RESULTS=@@CHARACTER_SET_RESULTS */;
/*!40101 SET @OLD_COLLATION_CONNECTION=@@COLLATION_CONNECTION */;
/*!40101 SET NAMES utf8mb4 */;
/*!40103 SET @OLD_TIME_ZONE=@@TIME_ZONE */;
/*!40103 SET TIME_ZONE='+00:00' */;
/*!40014 SET @OLD_UNIQUE_CHECKS=@@UNIQUE_CHECKS, UNIQUE_CHECKS=0 */;
/*!40014 SET @OLD_FOREIGN_KEY_CHECKS=@@FOREIGN_KEY_CHECKS, FOREIGN_KEY_CHECKS=0 */;
/*!40101 SET @OLD_SQL_MODE=@@SQL_MODE, SQL_MODE='NO_AUTO_VALUE_ON_ZERO' */;
/*!40111 SET @OLD_SQL_NOTES=@@SQL_NOTES, SQL_NOTES=0 */;

--
-- Table structure for table `aliases`
--

DROP TABLE IF EXISTS `aliases`;
/*!40101 SET @saved_cs_client     = @@character_set_client */;
/*!40101 SET character_set_client = utf8mb4 */;
CREATE TABLE `aliases` (
  `entry_id` int(11) NOT NULL,
  `release_seq` smallint(6) NOT NULL DEFAULT 0,
  `language_id` char(2) NOT NULL DEFAULT 'en',
  `title` varchar(250) NOT NULL,
  PRIMARY KEY (`entry_id`,`release_seq`,`language_id`,`title`)
) ENGINE=InnoDB DEFAULT CHARSET=utf8mb4 COLLATE=utf8mb4_general_ci;
/*!40101 SET character_set_client = @saved_cs_client */;

--
-- Dumping data for table `aliases`
--

LOCK TABLES `aliases` WRITE;
/*!40000 ALTER TABLE `aliases` DISABLE KEYS */;
INSERT INTO `aliases` VALUES
(2246,0,'es','El Hobbit'),
(3012,0,'en','Manic Miner 2000'),
(9011,0,'ru','Тетрис'),
(9015,0,'cs','Čapkovi roboti'),
(9016,0,'de','Die Ritterqueste'),
(9016,0,'es','La Búsqueda del Caballero'),
(9016,0,'pl','Wyprawa Rycerza'),
(9016,0,'pt','La Búsqueda del Caballero'),
(9016,1,'en','Knight\'s Quest'),
(9034,0,'en','Ultima Ratio 2');
/*!40000 ALTER TABLE `aliases` ENABLE KEYS */;
UNLOCK TABLES;

--
-- Table structure for table `authors`
--

DROP TABLE IF EXISTS `authors`;
/*!40101 SET @saved_cs_client     = @@character_set_client */;
/*!40101 SET character_set_client = utf8mb4 */;
CREATE TABLE `authors` (
  `entry_id` int(11) NOT NULL,
  `label_id` int(11) NOT NULL,
  `team_id` int(11) DEFAULT NULL,
  `author_seq` tinyint(4) NOT NULL DEFAULT 1,
  PRIMARY KEY (`entry_id`,`label_id`)
) ENGINE=InnoDB DEFAULT CHARSET=utf8mb4 COLLATE=utf8mb4_general_ci;
/*!40101 SET character_set_client = @saved_cs_client */;

--
-- Dumping data for table `authors`
--

LOCK TABLES `authors` WRITE;
/*!40000 ALTER TABLE `authors` DISABLE KEYS */;
INSERT INTO `authors` VALUES
(2246,6,NULL,1),
(2246,7,NULL,2),
(2589,5,NULL,1),
(3012,5,NULL,1),
(9001,8,NULL,1),
(9010,30,NULL,1),
(9012,31,NULL,1),
(9014,32,NULL,1),
(9014,33,NULL,2),
(9015,34,NULL,1),
(9020,40,NULL,3),
(9020,41,40,2),
(9020,42,40,1);
/*!40000 ALTER TABLE `authors` ENABLE KEYS */;
UNLOCK TABLES;

--
-- Table structure for table `downloads`
--

DROP TABLE IF EXISTS `downloads`;
/*!40101 SET @saved_cs_client     = @@character_set_client */;
/*!40101 SET character_set_client = utf8mb4 */;
CREATE TABLE `downloads` (
  `id` int(11) NOT NULL,
  `file_link` varchar(250) NOT NULL,
  `file_size` int(11) DEFAULT NULL,
  `filetype_id` tinyint(4) NOT NULL,
  `entry_id` int(11) DEFAULT NULL,
  PRIMARY KEY (`id`)
) ENGINE=InnoDB DEFAULT CHARSET=utf8mb4 COLLATE=utf8mb4_general_ci;
/*!40101 SET character_set_client = @saved_cs_client */;

--
-- Dumping data for table `downloads`
--

LOCK TABLES `downloads` WRITE;
/*!40000 ALTER TABLE `downloads` DISABLE KEYS */;
INSERT INTO `downloads` VALUES
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
/*!40000 ALTER TABLE `downloads` ENABLE KEYS */;
UNLOCK TABLES;

--
-- Table structure for table `entries`
--

DROP TABLE IF EXISTS `entries`;
/*!40101 SET @saved_cs_client     = @@character_set_client */;
/*!40101 SET character_set_client = utf8mb4 */;
CREATE TABLE `entries` (
  `id` int(11) NOT NULL,
  `title` varchar(250) NOT NULL,
  `library_title` varchar(250) DEFAULT NULL,
  `is_xrated` tinyint(1) NOT NULL DEFAULT 0,
  `machinetype_id` tinyint(4) DEFAULT NULL,
  `max_players` tinyint(4) NOT NULL DEFAULT 1,
  `genretype_id` tinyint(4) DEFAULT NULL,
  PRIMARY KEY (`id`),
  KEY `fk_entry_genretype` (`genretype_id`),
  KEY `fk_entry_machinetype` (`machinetype_id`),
  CONSTRAINT `fk_entry_genretype` FOREIGN KEY (`genretype_id`) REFERENCES `genretypes` (`id`),
  CONSTRAINT `fk_entry_machinetype` FOREIGN KEY (`machinetype_id`) REFERENCES `machinetypes` (`id`)
) ENGINE=InnoDB DEFAULT CHARSET=utf8mb4 COLLATE=utf8mb4_general_ci;
/*!40101 SET character_set_client = @saved_cs_client */;

--
-- Dumping data for table `entries`
--

LOCK TABLES `entries` WRITE;
/*!40000 ALTER TABLE `entries` DISABLE KEYS */;
INSERT INTO `entries` VALUES
(2246,'Hobbit, The','Hobbit',0,3,1,1),
(2589,'Jet Set Willy',NULL,0,3,1,9),
(3012,'Manic Miner',NULL,0,3,1,9),
(4129,'Rambo III',NULL,0,8,1,14),
(9001,'It\'s a \"Quote\" \\ Test',NULL,0,3,2,NULL),
(9002,'Café Über Straße',NULL,0,NULL,1,40),
(9003,'Tools 128',NULL,0,8,1,27),
(9010,'Tetris',NULL,0,3,1,18),
(9011,'Tetris',NULL,0,5,1,18),
(9012,'Football Manager',NULL,0,1,1,22),
(9013,'Football Manager',NULL,0,3,1,22),
(9014,'Łódź Express',NULL,0,3,1,13),
(9015,'Čapek\'s Robots',NULL,0,8,1,23),
(9016,'Knight\'s Quest',NULL,0,3,1,4),
(9017,'Dragon Runes',NULL,0,11,1,3),
(9018,'Haunted Manor',NULL,0,3,1,2),
(9019,'Blaster Bob',NULL,0,3,2,5),
(9020,'Crystal Caverns',NULL,0,3,1,6),
(9021,'Street Brawlers',NULL,0,8,2,7),
(9022,'Kung-Fu Master Chen',NULL,0,3,1,8),
(9023,'Maze Muncher',NULL,0,1,1,10),
(9024,'Silver Ball',NULL,0,3,4,11),
(9025,'Cops \'n\' Robbers',NULL,0,3,1,12),
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
/*!40000 ALTER TABLE `entries` ENABLE KEYS */;
UNLOCK TABLES;

--
-- Table structure for table `filetypes`
--

DROP TABLE IF EXISTS `filetypes`;
/*!40101 SET @saved_cs_client     = @@character_set_client */;
/*!40101 SET character_set_client = utf8mb4 */;
CREATE TABLE `filetypes` (
  `id` tinyint(4) NOT NULL,
  `text` varchar(50) NOT NULL,
  PRIMARY KEY (`id`)
) ENGINE=InnoDB DEFAULT CHARSET=utf8mb4 COLLATE=utf8mb4_general_ci;
/*!40101 SET character_set_client = @saved_cs_client */;

--
-- Dumping data for table `filetypes`
--

LOCK TABLES `filetypes` WRITE;
/*!40000 ALTER TABLE `filetypes` DISABLE KEYS */;
INSERT INTO `filetypes` VALUES
(8,'Tape image'),
(10,'Snapshot image'),
(11,'Disk image'),
(22,'Loading screen'),
(31,'Instructions'),
(46,'Computer/ZX Interface 2 cartridge ROM Image dump');
/*!40000 ALTER TABLE `filetypes` ENABLE KEYS */;
UNLOCK TABLES;

--
-- Table structure for table `genretypes`
--

DROP TABLE IF EXISTS `genretypes`;
/*!40101 SET @saved_cs_client     = @@character_set_client */;
/*!40101 SET character_set_client = utf8mb4 */;
CREATE TABLE `genretypes` (
  `id` tinyint(4) NOT NULL,
  `text` varchar(50) NOT NULL,
  PRIMARY KEY (`id`)
) ENGINE=InnoDB DEFAULT CHARSET=utf8mb4 COLLATE=utf8mb4_general_ci;
/*!40101 SET character_set_client = @saved_cs_client */;

--
-- Dumping data for table `genretypes`
--

LOCK TABLES `genretypes` WRITE;
/*!40000 ALTER TABLE `genretypes` DISABLE KEYS */;
INSERT INTO `genretypes` VALUES
(1,'Adventure: Text'),
(2,'Adventure: Graphic'),
(3,'Adventure: RPG'),
(4,'Adventure: Dungeon Crawl'),
(5,'Arcade: Action'),
(6,'Arcade: Adventure'),
(7,'Arcade: Gang beat-em-up'),
(8,'Arcade: Solo beat-em-up'),
(9,'Arcade: Platform'),
(10,'Arcade: Maze'),
(11,'Arcade: Pinball'),
(12,'Arcade: Race \'n\' Chase'),
(13,'Arcade: Vehicle'),
(14,'Arcade: Shoot-em-up'),
(15,'Board Game'),
(16,'Card Game'),
(17,'Gambling: Games'),
(18,'Puzzle'),
(19,'Quiz'),
(20,'Simulation'),
(21,'Sport: Action'),
(22,'Sport: Management'),
(23,'Strategy: Management'),
(24,'Strategy: War'),
(25,'Tactical Combat'),
(27,'Utility: Programming'),
(28,'Utility: Graphics'),
(30,'Compilation'),
(31,'Book: Programming'),
(32,'Hardware: Interface'),
(40,'Demoscene');
/*!40000 ALTER TABLE `genretypes` ENABLE KEYS */;
UNLOCK TABLES;

--
-- Table structure for table `labels`
--

DROP TABLE IF EXISTS `labels`;
/*!40101 SET @saved_cs_client     = @@character_set_client */;
/*!40101 SET character_set_client = utf8mb4 */;
CREATE TABLE `labels` (
  `id` int(11) NOT NULL,
  `name` varchar(100) NOT NULL,
  `country_id` char(2) DEFAULT NULL,
  PRIMARY KEY (`id`)
) ENGINE=InnoDB DEFAULT CHARSET=utf8mb4 COLLATE=utf8mb4_general_ci;
/*!40101 SET character_set_client = @saved_cs_client */;

--
-- Dumping data for table `labels`
--

LOCK TABLES `labels` WRITE;
/*!40000 ALTER TABLE `labels` DISABLE KEYS */;
INSERT INTO `labels` VALUES
(1,'Bug-Byte Software Ltd','GB'),
(2,'Software Projects Ltd','GB'),
(3,'Ocean Software Ltd','GB'),
(4,'Melbourne House','AU'),
(5,'Matthew Smith',NULL),
(6,'Philip Mitchell',NULL),
(7,'Veronica Megson',NULL),
(8,'Seán O\'Brien',NULL),
(20,'Mirrorsoft Ltd','GB'),
(21,'Zafiro Software','ES'),
(22,'Addictive Games Ltd','GB'),
(23,'Prism Leisure Corporation','GB'),
(24,'Żyrafa Soft','PL'),
(25,'Proxima – Software','CZ'),
(26,'Zeppelin Games Ltd','GB'),
(30,'Alexey Pajitnov','RU'),
(31,'Kevin Toms','GB'),
(32,'Paweł Wąs','PL'),
(33,'Zoë Ørsted','DK'),
(34,'Karel Čapek Jr.','CZ'),
(40,'The Cavern Crew',NULL),
(41,'Dan \"Dig\" Digby',NULL),
(42,'Ann Lee',NULL);
/*!40000 ALTER TABLE `labels` ENABLE KEYS */;
UNLOCK TABLES;

--
-- Table structure for table `machinetypes`
--

DROP TABLE IF EXISTS `machinetypes`;
/*!40101 SET @saved_cs_client     = @@character_set_client */;
/*!40101 SET character_set_client = utf8mb4 */;
CREATE TABLE `machinetypes` (
  `id` tinyint(4) NOT NULL,
  `text` varchar(50) NOT NULL,
  PRIMARY KEY (`id`)
) ENGINE=InnoDB DEFAULT CHARSET=utf8mb4 COLLATE=utf8mb4_general_ci;
/*!40101 SET character_set_client = @saved_cs_client */;

--
-- Dumping data for table `machinetypes`
--

LOCK TABLES `machinetypes` WRITE;
/*!40000 ALTER TABLE `machinetypes` DISABLE KEYS */;
INSERT INTO `machinetypes` VALUES
(1,'ZX-Spectrum 16K'),
(3,'ZX-Spectrum 48K'),
(5,'ZX-Spectrum 48K/128K'),
(8,'ZX-Spectrum 128K'),
(11,'ZX-Spectrum +3');
/*!40000 ALTER TABLE `machinetypes` ENABLE KEYS */;
UNLOCK TABLES;

--
-- Table structure for table `magazines`
--

DROP TABLE IF EXISTS `magazines`;
/*!40101 SET @saved_cs_client     = @@character_set_client */;
/*!40101 SET character_set_client = utf8mb4 */;
CREATE TABLE `magazines` (
  `id` int(11) NOT NULL,
  `name` varchar(100) NOT NULL,
  `notes` text DEFAULT NULL,
  PRIMARY KEY (`id`)
) ENGINE=InnoDB DEFAULT CHARSET=utf8mb4 COLLATE=utf8mb4_general_ci;
/*!40101 SET character_set_client = @saved_cs_client */;

--
-- Dumping data for table `magazines`
--

LOCK TABLES `magazines` WRITE;
/*!40000 ALTER TABLE `magazines` DISABLE KEYS */;
INSERT INTO `magazines` VALUES
(1,'Crash','Issue 1; the \'first\' one'),
(2,'Your Sinclair',NULL);
/*!40000 ALTER TABLE `magazines` ENABLE KEYS */;
UNLOCK TABLES;

--
-- Table structure for table `publishers`
--

DROP TABLE IF EXISTS `publishers`;
/*!40101 SET @saved_cs_client     = @@character_set_client */;
/*!40101 SET character_set_client = utf8mb4 */;
CREATE TABLE `publishers` (
  `entry_id` int(11) NOT NULL,
  `release_seq` smallint(6) NOT NULL,
  `label_id` int(11) NOT NULL,
  `publisher_seq` tinyint(4) NOT NULL DEFAULT 1,
  PRIMARY KEY (`entry_id`,`release_seq`,`label_id`)
) ENGINE=InnoDB DEFAULT CHARSET=utf8mb4 COLLATE=utf8mb4_general_ci;
/*!40101 SET character_set_client = @saved_cs_client */;

--
-- Dumping data for table `publishers`
--

LOCK TABLES `publishers` WRITE;
/*!40000 ALTER TABLE `publishers` DISABLE KEYS */;
INSERT INTO `publishers` VALUES
(2246,0,4,1),
(2589,0,2,1),
(3012,0,1,1),
(3012,1,2,1),
(4129,0,3,1),
(9001,0,1,2),
(9001,0,3,1),
(9010,0,20,1),
(9011,0,21,1),
(9011,1,23,1),
(9012,0,22,1),
(9013,0,23,1),
(9014,0,24,1),
(9015,0,25,1),
(9016,0,3,1),
(9016,0,26,2),
(9016,1,21,1),
(9019,0,26,1),
(9019,0,999,2),
(9020,0,26,1);
/*!40000 ALTER TABLE `publishers` ENABLE KEYS */;
UNLOCK TABLES;

--
-- Table structure for table `releases`
--

DROP TABLE IF EXISTS `releases`;
/*!40101 SET @saved_cs_client     = @@character_set_client */;
/*!40101 SET character_set_client = utf8mb4 */;
CREATE TABLE `releases` (
  `entry_id` int(11) NOT NULL,
  `release_seq` smallint(6) NOT NULL,
  `release_year` smallint(6) DEFAULT NULL,
  `release_month` tinyint(4) DEFAULT NULL,
  PRIMARY KEY (`entry_id`,`release_seq`)
) ENGINE=InnoDB DEFAULT CHARSET=utf8mb4 COLLATE=utf8mb4_general_ci;
/*!40101 SET character_set_client = @saved_cs_client */;

--
-- Dumping data for table `releases`
--

LOCK TABLES `releases` WRITE;
/*!40000 ALTER TABLE `releases` DISABLE KEYS */;
INSERT INTO `releases` VALUES
(2246,0,1982,NULL),
(2589,0,1984,NULL),
(3012,0,1983,NULL),
(3012,1,1984,6),
(4129,0,1988,12),
(9001,0,NULL,NULL),
(9010,0,1988,NULL),
(9011,0,1989,3),
(9011,1,1990,NULL),
(9012,0,1982,NULL),
(9013,0,1990,NULL),
(9014,0,1987,NULL),
(9015,0,1989,NULL),
(9016,0,1986,NULL),
(9016,1,1987,NULL),
(9017,0,NULL,NULL),
(9017,1,1991,NULL),
(9019,0,1985,NULL),
(9020,0,1986,NULL),
(9034,0,1989,NULL),
(9040,0,1986,12);
/*!40000 ALTER TABLE `releases` ENABLE KEYS */;
UNLOCK TABLES;

--
-- Table structure for table `webrefs`
--

DROP TABLE IF EXISTS `webrefs`;
/*!40101 SET @saved_cs_client     = @@character_set_client */;
/*!40101 SET character_set_client = utf8mb4 */;
CREATE TABLE `webrefs` (
  `entry_id` int(11) NOT NULL,
  `website_id` tinyint(4) NOT NULL,
  `link` varchar(200) DEFAULT NULL,
  PRIMARY KEY (`entry_id`,`website_id`)
) ENGINE=InnoDB DEFAULT CHARSET=utf8mb4 COLLATE=utf8mb4_general_ci;
/*!40101 SET character_set_client = @saved_cs_client */;

--
-- Dumping data for table `webrefs`
--

LOCK TABLES `webrefs` WRITE;
/*!40000 ALTER TABLE `webrefs` DISABLE KEYS */;
INSERT INTO `webrefs` VALUES
(3012,1,'https://example.org/manic-miner?a=1&b=(2)'),
(9016,2,NULL);
/*!40000 ALTER TABLE `webrefs` ENABLE KEYS */;
UNLOCK TABLES;
/*!40103 SET TIME_ZONE=@OLD_TIME_ZONE */;

/*!40101 SET SQL_MODE=@OLD_SQL_MODE */;
/*!40014 SET FOREIGN_KEY_CHECKS=@OLD_FOREIGN_KEY_CHECKS */;
/*!40014 SET UNIQUE_CHECKS=@OLD_UNIQUE_CHECKS */;
/*!40101 SET CHARACTER_SET_CLIENT=@OLD_CHARACTER_SET_CLIENT */;
/*!40101 SET CHARACTER_SET_RESULTS=@OLD_CHARACTER_SET_RESULTS */;
/*!40101 SET COLLATION_CONNECTION=@OLD_COLLATION_CONNECTION */;
/*!40111 SET SQL_NOTES=@OLD_SQL_NOTES */;

-- Dump completed
