object ShowSynonymForm: TShowSynonymForm
  Left = 200
  Top = 150
  Width = 520
  Height = 360
  Caption = 'Синонимы'
  Color = clBtnFace
  Font.Name = 'MS Sans Serif'
  Font.Height = -11
  Position = poScreenCenter
  OnClose = FormClose
  object ToolBar1: TToolBar
    Flat = True
    Height = 26
    ShowHint = True
    object ToolButton1: TToolButton
      Caption = 'Закрыть'
      Hint = 'Закрыть'
      OnClick = ToolButton1Click
    end
    object DBNavigator1: TDBNavigator
      Width = 216
      Height = 22
      Flat = True
      VisibleButtons = [nbFirst, nbPrior, nbNext, nbLast, nbDelete, nbEdit, nbPost, nbCancel, nbRefresh]
    end
  end
  object dxDBGrid1: TdxDBGrid
    Align = alClient
    TabOrder = 0
    OptionsDB = [edgoCancelOnExit, edgoCanDelete, edgoCanNavigation, edgoConfirmDelete, edgoUseBookmarks]
  end
end
