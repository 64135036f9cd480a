CREATE TABLE `entries` (`id` int, `title` varchar(10), PRIMARY KEY (`id`));
INSERT INTO `entries` VALUES (1,'Manic Miner'),(2,'It''s \\ \'x\'');
-- comment
/*!40101 SET x=1 */;
CREATE TABLE labels (id int, name text);
INSERT INTO labels (name, id) VALUES ('Ocean', -1);
