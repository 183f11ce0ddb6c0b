-- The host's texts of the messages its procedures and the plug-in's batches raise.

CREATE FUNCTION dbo.hf_FormatError (@ErrID INT, @Parametr NVARCHAR(255))
RETURNS NVARCHAR(2048)
AS
BEGIN
    DECLARE @Text NVARCHAR(2048)
    SET @Text = CASE @ErrID
        WHEN 2500088 THEN N'Řádek je otevřen v editoru jiného uživatele, nelze jej nyní změnit.'
        WHEN 2500103 THEN N'Řádek pochází z neplatné odchylky, nelze jej změnit.'
        ELSE N'Chyba číslo ' + CAST(@ErrID AS NVARCHAR(12)) + N'.'
    END
    IF ISNULL(@Parametr, N'') <> N''
        SET @Text = @Text + N' (' + @Parametr + N')'
    RETURN @Text
END
GO
