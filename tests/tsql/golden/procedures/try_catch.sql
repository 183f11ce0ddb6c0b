CREATE TABLE t_tc (ID INT NOT NULL PRIMARY KEY)
GO
-- the error's functions inside CATCH; the batch goes on after the block
BEGIN TRY
    SELECT 1 / 0 AS never
    SELECT 'not reached'
END TRY
BEGIN CATCH
    SELECT ERROR_NUMBER() AS number, ERROR_SEVERITY() AS severity, ERROR_STATE() AS state,
        ERROR_LINE() AS line, ERROR_MESSAGE() AS message, ERROR_PROCEDURE() AS proc_name
END CATCH
SELECT 'after' AS what, ERROR_NUMBER() AS outside
GO
-- RAISERROR of severity 16 is caught with its text and state
BEGIN TRY
    RAISERROR(N'Chyba %s č. %d', 16, 3, N'vstupu', 42)
END TRY
BEGIN CATCH
    SELECT ERROR_NUMBER() AS number, ERROR_STATE() AS state, ERROR_MESSAGE() AS message
END CATCH
GO
-- severity 10 is a message, not an error: CATCH is not entered
BEGIN TRY
    RAISERROR(N'jen informace', 10, 1)
    SELECT 'still in TRY' AS what
END TRY
BEGIN CATCH
    SELECT 'caught' AS what
END CATCH
GO
-- a key violation in a transaction: the CATCH block rolls back
BEGIN TRY
    BEGIN TRANSACTION
    INSERT INTO t_tc VALUES (1)
    INSERT INTO t_tc VALUES (1)
    COMMIT TRANSACTION
END TRY
BEGIN CATCH
    SELECT @@TRANCOUNT AS open_before, ERROR_NUMBER() AS number
    IF @@TRANCOUNT > 0 ROLLBACK TRANSACTION
END CATCH
SELECT COUNT(*) AS rows_kept, @@TRANCOUNT AS open_after FROM t_tc
GO
-- an error in a called procedure is caught by the caller, ERROR_PROCEDURE names it
CREATE PROCEDURE p_fails AS
INSERT INTO t_tc VALUES (5)
INSERT INTO t_tc VALUES (5)
SELECT 'not reached'
GO
BEGIN TRY
    EXEC p_fails
END TRY
BEGIN CATCH
    SELECT ERROR_NUMBER() AS number, ERROR_PROCEDURE() AS proc_name, ERROR_LINE() AS line
END CATCH
SELECT ID FROM t_tc
GO
-- nested blocks: the inner CATCH raises again, the outer one sees the new error
BEGIN TRY
    BEGIN TRY
        SELECT CAST(N'abc' AS INT)
    END TRY
    BEGIN CATCH
        DECLARE @m NVARCHAR(400) = ERROR_MESSAGE()
        RAISERROR(N'wrapped: %s', 16, 1, @m)
    END CATCH
END TRY
BEGIN CATCH
    SELECT ERROR_NUMBER() AS number, ERROR_MESSAGE() AS message
END CATCH
GO
-- without TRY a statement error lets the batch go on and sets @@ERROR
INSERT INTO t_tc VALUES (5)
SELECT @@ERROR AS err
SELECT @@ERROR AS err_again
GO
DROP PROCEDURE p_fails
DROP TABLE t_tc
GO
