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
(3012,0,'en','Manic Miner 2000');
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
(9001,8,NULL,1);
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
(3,'/zxdb/sinclair/entries/0004129/RamboIII.z80.zip',40123,10,4129);
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
(9003,'Tools 128',NULL,0,8,1,27);
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
(10,'Snapshot image');
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
(9,'Arcade: Platform'),
(14,'Arcade: Shoot-em-up'),
(27,'Utility: Programming'),
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
(5,'Smith, Matthew',NULL),
(6,'Mitchell, Philip',NULL),
(7,'Megson, Veronica',NULL),
(8,'O\'Brien, Seán',NULL);
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
(8,'ZX-Spectrum 128K');
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
(9001,0,1,1),
(9001,0,3,2);
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
(9001,0,NULL,NULL);
/*!40000 ALTER TABLE `releases` ENABLE KEYS */;
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
